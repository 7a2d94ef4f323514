#include "winapi/child_process.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <set>
#include <system_error>
#include <thread>

#include "winapi/last_error.h"
#include "winapi/stand_in.h"

namespace winapi {
namespace {

struct ChildRegistry {
  std::mutex mutex;
  std::set<pid_t> unreaped;
};

ChildRegistry& Children() {
  static ChildRegistry registry;
  return registry;
}

void ForgetChild(pid_t pid) {
  ChildRegistry& children = Children();
  std::lock_guard lock(children.mutex);
  children.unreaped.erase(pid);
}

DWORD ExitCodeOf(const siginfo_t& info) {
  if (info.si_code == CLD_EXITED) return static_cast<DWORD>(info.si_status);
  return 128u + static_cast<DWORD>(info.si_status);
}

bool HasEnded(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

// Milliseconds for one poll: INFINITE and any span beyond poll's range are
// waited for in slices, the rest at once.
int PollSlice(std::chrono::steady_clock::time_point deadline, bool infinite) {
  if (infinite) return INT_MAX;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return 0;
  return left.count() > INT_MAX ? INT_MAX : static_cast<int>(left.count());
}

}  // namespace

void TrackChild(pid_t pid) {
  ChildRegistry& children = Children();
  std::lock_guard lock(children.mutex);
  children.unreaped.insert(pid);
}

int UnreapedChildCount() {
  ChildRegistry& children = Children();
  std::lock_guard lock(children.mutex);
  int count = 0;
  for (pid_t pid : children.unreaped) count += HasEnded(pid) ? 1 : 0;
  return count;
}

void ReapInBackground(pid_t pid) {
  try {
    std::thread([pid] {
      siginfo_t info{};
      while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED) != 0 && errno == EINTR) {
      }
      ForgetChild(pid);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the child stays tracked, and the leak probe shows it.
  }
}

ChildProcess::ChildProcess(pid_t pid, int pidfd) : m_pid(pid), m_pidfd(pidfd) { TrackChild(pid); }

ChildProcess::~ChildProcess() {
  if (!ReapIfEnded()) ReapInBackground(m_pid);
  close(m_pidfd);
}

std::optional<DWORD> ChildProcess::ReapIfEnded() {
  std::lock_guard lock(m_mutex);
  if (m_exitCode) return m_exitCode;
  siginfo_t info{};
  if (waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG) != 0 || info.si_pid == 0) return std::nullopt;
  m_exitCode = ExitCodeOf(info);
  ForgetChild(m_pid);
  return m_exitCode;
}

std::optional<DWORD> ChildProcess::ExitCode() { return ReapIfEnded(); }

DWORD ChildProcess::Wait(DWORD timeoutMs) {
  const bool infinite = timeoutMs == INFINITE;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (ReapIfEnded()) return WAIT_OBJECT_0;
    const int slice = PollSlice(deadline, infinite);
    pollfd ended{m_pidfd, POLLIN, 0};
    const int ready = poll(&ended, 1, slice);
    if (ready < 0 && errno != EINTR) {
      SetLastErrorFromErrno(errno);
      return WAIT_FAILED;
    }
    if (ready > 0 && !ReapIfEnded()) {
      // Ended, but reaped by a wait for any child elsewhere in the process.
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    if (ready == 0 && slice == 0) return WAIT_TIMEOUT;
  }
}

}  // namespace winapi
