#include "tools/tavrind/log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/write_all.h"

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

// The service manager names the journal stream it connected as "device:inode"
// in JOURNAL_STREAM; standard error is the journal when it is that stream.
bool StandardErrorIsTheJournal() {
  const char* stream = std::getenv("JOURNAL_STREAM");
  struct stat error {};
  if (stream == nullptr || fstat(STDERR_FILENO, &error) != 0) return false;
  const std::string expected = std::to_string(error.st_dev) + ":" + std::to_string(error.st_ino);
  return expected == stream;
}

}  // namespace

Log::Log(std::string path, bool copyToStandardError)
    : m_path(std::move(path)),
      m_fd(open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)),
      m_fileError(m_fd < 0 ? std::strerror(errno) : ""),
      m_copy(!copyToStandardError          ? Copy::None
             : StandardErrorIsTheJournal() ? Copy::Bare
                                           : Copy::Stamped) {}

Log::~Log() {
  if (m_fd >= 0) close(m_fd);
}

// Each line is one write, so lines of several processes never interleave; a
// failure is dropped, as nowhere is left to report it.
void Log::Line(std::string_view text) {
  const std::string stamped = Timestamp() + " tavrind[" + std::to_string(getpid()) + "]: " + std::string(text) + "\n";
  if (m_fd >= 0) base::WriteAll(m_fd, stamped);
  if (m_copy == Copy::Stamped) base::WriteAll(STDERR_FILENO, stamped);
  if (m_copy == Copy::Bare) base::WriteAll(STDERR_FILENO, std::string(text) + "\n");
}

}  // namespace tavrind
