#include "platform/run_and_wait.h"

#include "platform/unique_handle.h"

// A program that did not start leaves no process to wait for or to query; the
// result is then WAIT_FAILED. The only caller ignores the result.
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

  const UniqueHandle process(info.hProcess);
  if (!process.IsOpen()) return WAIT_FAILED;
  if (WaitForSingleObject(process.Get(), timeoutMs) == WAIT_TIMEOUT) return WAIT_TIMEOUT;  // left running
  DWORD exitCode = WAIT_FAILED;
  GetExitCodeProcess(process.Get(), &exitCode);
  return exitCode;
}
