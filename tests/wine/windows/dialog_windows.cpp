#include "tests/wine/windows/dialog_windows.h"

#include <thread>
#include <vector>

#include "framework/win32/text_messages.h"
#include "framework/win32/wide_text.h"

namespace wine_test {

std::wstring ClassName(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

PROCESS_INFORMATION StartProgram(const std::string& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + framework::win32::Widen(program) + L"\"";
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return PROCESS_INFORMATION{};
  }
  CloseHandle(process.hThread);
  process.hThread = nullptr;
  WaitForInputIdle(process.hProcess, 60000);
  return process;
}

HWND WaitForWindow(const std::function<HWND()>& find, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (HWND window = find()) return window;
    if (std::chrono::steady_clock::now() > deadline) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  if (ClassName(window) == L"#32770") reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

std::vector<HWND> Dialogs() {
  std::vector<HWND> windows;
  EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

}  // namespace

HWND FindDialog(DWORD pid, const std::string& caption) {
  for (HWND window : Dialogs()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((pid == 0 || owner == pid) && GetWindow(window, GW_OWNER) == nullptr &&
        framework::win32::WindowText(window) == caption) {
      return window;
    }
  }
  return nullptr;
}

HWND FindOwnedDialog(HWND owner) {
  for (HWND window : Dialogs()) {
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner) return window;
  }
  return nullptr;
}

}  // namespace wine_test
