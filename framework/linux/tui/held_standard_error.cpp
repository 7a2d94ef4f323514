#include "framework/linux/tui/held_standard_error.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/write_all.h"

namespace framework::tui {
HeldStandardError::HeldStandardError() {
  if (!isatty(STDERR_FILENO)) return;
  m_held = memfd_create("held standard error", MFD_CLOEXEC);
  if (m_held < 0) return;
  m_original = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  std::fflush(stderr);
  if (m_original < 0 || dup2(m_held, STDERR_FILENO) < 0) {
    if (m_original >= 0) close(m_original);
    close(m_held);
    m_original = m_held = -1;
  }
}

HeldStandardError::~HeldStandardError() {
  if (m_held < 0) return;
  std::fflush(stderr);
  dup2(m_original, STDERR_FILENO);
  close(m_original);
  char buffer[4096];
  lseek(m_held, 0, SEEK_SET);
  for (ssize_t got; (got = read(m_held, buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    base::WriteAll(STDERR_FILENO, std::string_view(buffer, static_cast<std::size_t>(got)));
  }
  close(m_held);
}

}  // namespace framework::tui
