// A prefix of its own for one test: a temporary directory with an empty
// dosdevices/, made the stand-in's prefix while the object lives (the
// previous prefix comes back afterwards), with helpers for its hive file.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "tests/support/temp_directory.h"

namespace test_support {

inline constexpr char kServiceKeyPath[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";
inline constexpr char kServiceSubKey[] = "System\\CurrentControlSet\\Services\\Tavrin";

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

  std::string HivePath() const { return path() + "/hklm.reg"; }
  void WriteHive(std::string_view text) const;
  std::string ReadHive() const;
  // The names of the prefix's entries that belong to the hive: hklm.reg and
  // those that begin with "hklm.reg." (its lock, a temporary file).
  std::set<std::string> HiveFiles() const;

 private:
  TempDirectory m_directory{"tavrin-prefix"};
  std::string m_previousPrefix;
};

// A hive with the version line and the driver's service key holding `values`
// (value lines, each ending in a newline).
std::string ServiceKeyHive(std::string_view values);

}  // namespace test_support
