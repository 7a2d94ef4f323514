// A prefix directory of its own for one test: made empty, made the stand-in's
// prefix, and removed with everything in it afterwards.
#pragma once

#include <set>
#include <string>
#include <string_view>

class TempPrefix {
 public:
  TempPrefix();
  ~TempPrefix();
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;

  const std::string& Directory() const { return directory_; }
  std::string HivePath() const { return directory_ + "/hklm.reg"; }

  void WriteHive(std::string_view text) const;
  std::string ReadHive() const;
  // The names of the entries in the prefix directory.
  std::set<std::string> Entries() const;

 private:
  std::string directory_;
  std::string previousPrefix_;
};

// A hive with the version line and the driver's service key holding `values`
// (value lines, each ending in a newline).
std::string ServiceKeyHive(std::string_view values);

inline constexpr char kServiceKeyPath[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";
inline constexpr char kServiceSubKey[] = "System\\CurrentControlSet\\Services\\Tavrin";
