#include "winapi/device_write.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace winapi {
namespace {

// Holds SIGPIPE back from this thread while it lives: a write to a device
// whose reader has gone fails with EPIPE instead of ending the program. A
// SIGPIPE the write raised is taken away again; one that was pending before
// is left for the program.
class BrokenPipeSignalHeld {
 public:
  BrokenPipeSignalHeld() {
    sigemptyset(&m_pipe);
    sigaddset(&m_pipe, SIGPIPE);
    sigset_t pending;
    m_wasPending = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
  }
  ~BrokenPipeSignalHeld() {
    if (m_raised && !m_wasPending) {
      const timespec now{};
      while (sigtimedwait(&m_pipe, nullptr, &now) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
  }
  BrokenPipeSignalHeld(const BrokenPipeSignalHeld&) = delete;
  BrokenPipeSignalHeld& operator=(const BrokenPipeSignalHeld&) = delete;

  void Raised() { m_raised = true; }

 private:
  sigset_t m_pipe;
  sigset_t m_previous;
  bool m_wasPending = false;
  bool m_raised = false;
};

// Waits until the device can take bytes, or has failed.
void WaitUntilWritable(int fd) {
  pollfd device{fd, POLLOUT, 0};
  while (poll(&device, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

int WriteWaiting(int fd, const BYTE* bytes, DWORD count, DWORD& written) {
  BrokenPipeSignalHeld held;
  written = 0;
  while (written < count) {
    const ssize_t result = write(fd, bytes + written, count - written);
    if (result > 0) {
      written += static_cast<DWORD>(result);
    } else if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      WaitUntilWritable(fd);
    } else if (result < 0 && errno == EINTR) {
      continue;
    } else {
      const int error = result < 0 ? errno : EIO;
      if (error == EPIPE) held.Raised();
      return error;
    }
  }
  return 0;
}

}  // namespace winapi
