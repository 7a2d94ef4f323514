// ShellExecuteExA, WaitForSingleObject and GetExitCodeProcess over
// posix_spawnp and pidfds.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "winapi/child_process.h"
#include "winapi/last_error.h"
#include "winapi/stand_in.h"

extern char** environ;

namespace winapi {
namespace {

// The program, then the parameters split at blanks.
std::vector<std::string> CommandLineWords(LPCSTR file, LPCSTR parameters) {
  std::vector<std::string> words{file};
  std::istringstream in(parameters != nullptr ? parameters : "");
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// posix_spawn's attribute and file-action objects, destroyed on every path.
class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawnattr_init(&m_attributes);
    posix_spawn_file_actions_init(&m_actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&m_actions);
    posix_spawnattr_destroy(&m_attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  // The hidden window: no standard input or output. Signal dispositions and
  // mask start from the defaults, whatever this process has set.
  int Prepare(LPCSTR directory) {
    sigset_t signals;
    sigemptyset(&signals);
    int error = posix_spawnattr_setsigmask(&m_attributes, &signals);
    sigfillset(&signals);
    sigdelset(&signals, SIGKILL);
    sigdelset(&signals, SIGSTOP);
    if (error == 0) error = posix_spawnattr_setsigdefault(&m_attributes, &signals);
    if (error == 0) error = posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (error == 0) error = posix_spawn_file_actions_addopen(&m_actions, 0, "/dev/null", O_RDONLY, 0);
    if (error == 0) error = posix_spawn_file_actions_addopen(&m_actions, 1, "/dev/null", O_WRONLY, 0);
    if (error == 0 && directory != nullptr && *directory != '\0')
      error = posix_spawn_file_actions_addchdir_np(&m_actions, directory);
    return error;
  }

  // Starts the program through PATH; the error of a program that cannot be
  // started (not found, not executable) is returned here, before any wait.
  int Spawn(const std::vector<std::string>& words, pid_t& pid) {
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    return posix_spawnp(&pid, argv[0], &m_actions, &m_attributes, argv.data(), environ);
  }

 private:
  posix_spawnattr_t m_attributes;
  posix_spawn_file_actions_t m_actions;
};

// Through the system call: the C library's wrapper of this version is not
// declared for C++ callers.
int OpenPidfd(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

BOOL FailStart(SHELLEXECUTEINFOA* info, DWORD error) {
  info->hProcess = nullptr;
  SetLastError(error);
  return FALSE;
}

std::mutex errorBoxMutex;
ShellErrorBox errorBox;

// The program could not be started at all: the shell says so in a box of its
// own, unless the caller asked it to stay silent.
BOOL FailSpawn(SHELLEXECUTEINFOA* info, int errnoValue) {
  if ((info->fMask & SEE_MASK_FLAG_NO_UI) == 0) {
    ShellErrorBox show;
    {
      std::lock_guard lock(errorBoxMutex);
      show = errorBox;
    }
    if (show) {
      show(info->hwnd,
           "Cannot start \"" + std::string(info->lpFile) + "\" (" + std::generic_category().message(errnoValue) + ").");
    }
  }
  return FailStart(info, ErrorFromErrno(errnoValue));
}

}  // namespace

void SetShellErrorBox(ShellErrorBox show) {
  std::lock_guard lock(errorBoxMutex);
  errorBox = std::move(show);
}

int OpenProcessHandleCount() {
  return CountOpenHandles(
      [](const HandleObject& object) { return dynamic_cast<const ChildProcess*>(&object) != nullptr; });
}

}  // namespace winapi

// Runs lpFile with lpParameters, hidden, in lpDirectory when given. Only the
// default verb exists: the file is always started as a program. One that
// cannot be started is reported in the shell's error box (SetShellErrorBox).
BOOL ShellExecuteExA(SHELLEXECUTEINFOA* pExecInfo) {
  if (pExecInfo == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pExecInfo->cbSize != sizeof(SHELLEXECUTEINFOA) || pExecInfo->lpFile == nullptr || *pExecInfo->lpFile == '\0')
    return winapi::FailStart(pExecInfo, ERROR_INVALID_PARAMETER);

  winapi::SpawnSetup setup;
  if (const int error = setup.Prepare(pExecInfo->lpDirectory); error != 0)
    return winapi::FailStart(pExecInfo, winapi::ErrorFromErrno(error));
  pid_t pid = 0;
  if (const int error = setup.Spawn(winapi::CommandLineWords(pExecInfo->lpFile, pExecInfo->lpParameters), pid);
      error != 0)
    return winapi::FailSpawn(pExecInfo, error);

  const int pidfd = winapi::OpenPidfd(pid);
  if (pidfd < 0) {
    // Started, but it cannot be waited for: reported as failed, and reaped.
    const int error = errno;
    winapi::TrackChild(pid);
    winapi::ReapInBackground(pid);
    return winapi::FailStart(pExecInfo, winapi::ErrorFromErrno(error));
  }
  auto child = std::make_shared<winapi::ChildProcess>(pid, pidfd);
  pExecInfo->hProcess =
      (pExecInfo->fMask & SEE_MASK_NOCLOSEPROCESS) != 0 ? winapi::RegisterHandle(std::move(child)) : nullptr;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  const std::shared_ptr<winapi::ChildProcess> child = winapi::FindHandle<winapi::ChildProcess>(hHandle);
  if (!child) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  return child->Wait(dwMilliseconds);
}

// STILL_ACTIVE while the process runs; see ChildProcess::ExitCode.
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  const std::shared_ptr<winapi::ChildProcess> child = winapi::FindHandle<winapi::ChildProcess>(hProcess);
  if (!child) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (lpExitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpExitCode = child->ExitCode().value_or(STILL_ACTIVE);
  return TRUE;
}
