// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
#pragma once

#include <string>

namespace devices_test {

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// A temporary prefix with an empty dosdevices/, made the stand-in's prefix for
// the test; the previous prefix comes back at the end.
class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  const std::string& path() const { return m_directory.path(); }
  std::string Entry(const std::string& name) const { return path() + "/dosdevices/" + name; }
  // dosdevices/<name> as a symbolic link to target.
  void Link(const std::string& name, const std::string& target) const;

 private:
  TempDirectory m_directory;
  std::string m_previousPrefix;
};

}  // namespace devices_test
