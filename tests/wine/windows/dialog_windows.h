// Starting the program and finding the windows of its dialog from another
// process: the test programs' view of the program under Wine, through the
// system's own calls.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace wine_test {

std::wstring ClassName(HWND window);

// Starts program and waits until it first waits for input; its process
// (closed by the caller), or a PROCESS_INFORMATION of nulls when it cannot
// start. Its thread's handle is closed already.
PROCESS_INFORMATION StartProgram(const std::string& program);

// Polls every 20 ms until find returns a window or the time is up (null).
HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds limit);

// The top-level dialog window (class #32770) without owner of process pid
// whose caption is caption, shown or not; of any process when pid is 0.
HWND FindDialog(DWORD pid, const std::string& caption);
// A shown dialog window that owner owns: a message box or a nested dialog.
HWND FindOwnedDialog(HWND owner);

}  // namespace wine_test
