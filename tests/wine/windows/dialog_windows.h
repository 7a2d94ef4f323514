// Finding the windows of another process's dialog: the test programs' view of
// the program under Wine, through the system's own calls.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace wine_test {

std::wstring ClassName(HWND window);

// Polls every 20 ms until find returns a window or the time is up (null).
HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds limit);

// The top-level dialog window (class #32770) without owner of process pid
// whose caption is caption, shown or not; of any process when pid is 0.
HWND FindDialog(DWORD pid, const std::string& caption);
// A shown dialog window that owner owns: a message box or a nested dialog.
HWND FindOwnedDialog(HWND owner);

}  // namespace wine_test
