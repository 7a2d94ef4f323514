#include "held_standard_error.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace framework::tui {
namespace {

void WriteAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, static_cast<std::size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    size -= written;
  }
}

}  // namespace

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
    WriteAll(STDERR_FILENO, buffer, got);
  }
  close(m_held);
}

}  // namespace framework::tui
