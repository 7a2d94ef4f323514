#include "log.h"

#include <fcntl.h>
#include <unistd.h>

#include <ctime>

namespace tavrind {
namespace {

std::string Timestamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return std::string(text, length);
}

void WriteAll(int fd, const std::string& text) {
  [[maybe_unused]] const ssize_t written = write(fd, text.data(), text.size());
}

}  // namespace

Log::Log(std::string path)
    : m_path(std::move(path)), m_fd(open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)) {}

Log::~Log() {
  if (m_fd >= 0) close(m_fd);
}

// Each line is one write, so lines of several processes never interleave.
void Log::Line(std::string_view text) {
  const std::string line = Timestamp() + " tavrind[" + std::to_string(getpid()) + "]: " + std::string(text) + "\n";
  if (m_fd >= 0) WriteAll(m_fd, line);
  WriteAll(STDERR_FILENO, line);
}

}  // namespace tavrind
