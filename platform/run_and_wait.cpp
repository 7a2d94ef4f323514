#include "run_and_wait.h"

// A program that did not start leaves no process to wait for or to query:
// the wait and the exit-code query both fail, and the result is the initial
// value of the exit code, WAIT_FAILED. The only caller ignores the result.
DWORD RunAndWait(LPCSTR program, LPCSTR parameters, DWORD timeoutMs) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = nullptr;
  info.lpVerb = nullptr;
  info.lpFile = program;
  info.lpParameters = parameters;
  info.lpDirectory = nullptr;
  info.nShow = SW_HIDE;
  info.hInstApp = nullptr;
  ShellExecuteExA(&info);

  if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_TIMEOUT) {
    CloseHandle(info.hProcess);
    return WAIT_TIMEOUT;
  }
  DWORD exitCode = WAIT_FAILED;
  GetExitCodeProcess(info.hProcess, &exitCode);
  if (info.hProcess != nullptr) CloseHandle(info.hProcess);
  return exitCode;
}
