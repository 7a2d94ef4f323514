// The driver's log: one line per event, appended to a file in the prefix and,
// for a driver run in the foreground, copied to standard error (the terminal,
// or the journal when the service manager runs it).
#pragma once

#include <string>
#include <string_view>

namespace tavrind {

class Log {
 public:
  Log(std::string path, bool copyToStandardError);
  ~Log();
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;

  const std::string& path() const { return m_path; }
  // Whether the file could be opened, and if not, why.
  bool writesFile() const { return m_fd >= 0; }
  const std::string& fileError() const { return m_fileError; }
  bool copiesToStandardError() const { return m_copy != Copy::None; }
  void Line(std::string_view text);

 private:
  enum class Copy {
    None,
    Stamped,  // with time and process id, as in the file
    Bare,     // the journal stamps lines itself
  };

  std::string m_path;
  int m_fd;
  std::string m_fileError;
  Copy m_copy;
};

}  // namespace tavrind
