// The driver's log: one line per event, appended to a file in the prefix and
// copied to standard error.
#pragma once

#include <string>
#include <string_view>

namespace tavrind {

class Log {
 public:
  explicit Log(std::string path);
  ~Log();
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;

  const std::string& path() const { return m_path; }
  // Whether the file could be opened; lines still go to standard error if not.
  bool writesFile() const { return m_fd >= 0; }
  void Line(std::string_view text);

 private:
  std::string m_path;
  int m_fd;
};

}  // namespace tavrind
