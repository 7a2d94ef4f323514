// A started child process behind a process handle. Every child is reaped
// exactly once: by a wait or an exit-code query that sees it ended, or, when
// its handle is closed while it still runs, by a background thread that
// blocks until it ends. Internal to the stand-in.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <optional>

#include "winapi/handles.h"
#include "winapi/windows.h"

namespace winapi {

class ChildProcess final : public HandleObject {
 public:
  // Takes ownership of the pidfd; the child counts as unreaped from now on.
  ChildProcess(pid_t pid, int pidfd);
  // Reaps the child if it has ended, else leaves it running and hands it to a
  // background reaper; closes the pidfd.
  ~ChildProcess() override;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // WAIT_OBJECT_0 once the child has ended, WAIT_TIMEOUT when timeoutMs ran
  // out first (INFINITE waits for ever), WAIT_FAILED with the last error set.
  DWORD Wait(DWORD timeoutMs);

  // The exit status, or 128 + the signal number for a child ended by a signal
  // (as the shell reports it); nothing while the child runs.
  std::optional<DWORD> ExitCode();

 private:
  std::optional<DWORD> ReapIfEnded();

  const pid_t m_pid;
  const int m_pidfd;
  std::mutex m_mutex;
  std::optional<DWORD> m_exitCode;
};

// Reaps a child that nobody waits for once it ends, without blocking the
// caller.
void ReapInBackground(pid_t pid);

// Children started here and not yet reaped: added at start, removed when
// reaped.
void TrackChild(pid_t pid);

}  // namespace winapi
