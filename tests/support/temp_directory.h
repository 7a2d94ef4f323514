// A fresh private directory under $TMPDIR (or /tmp), removed with everything
// in it when its owner goes; links in it are removed, never followed.
#pragma once

#include <string>
#include <string_view>

namespace test_support {

class TempDirectory {
 public:
  // "<namePrefix>.XXXXXX"; std::system_error when it cannot be made.
  explicit TempDirectory(const std::string& namePrefix = "tavrin-test");
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::string& path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + "/" + name; }
  // Writes the file `name` in the directory and returns its path.
  std::string Write(const std::string& name, std::string_view content) const;

 private:
  std::string m_path;
};

}  // namespace test_support
