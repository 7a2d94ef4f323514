#include "held_terminal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>

#include "world_error.h"

namespace scenario {

TerminalHold::TerminalHold(const std::string& path)
    : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
  if (!m_fd.Valid()) ThrowSystemError("cannot open " + path + " to hold it");
  if (flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) ThrowSystemError("cannot lock " + path);
  if (ioctl(m_fd.Get(), TIOCEXCL) != 0) ThrowSystemError("cannot put " + path + " in exclusive mode");
}

void TerminalHold::Release() {
  if (!m_fd.Valid()) return;
  ioctl(m_fd.Get(), TIOCNXCL);
  m_fd.Close();
}

}  // namespace scenario
