#include "tools/tavrind/pid_file.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace tavrind {
namespace {

constexpr char kDriverProgramName[] = "tavrind";

std::optional<pid_t> PidInFile(const std::string& path) {
  std::ifstream in(path);
  long value = 0;
  if (!(in >> value) || value <= 0) return std::nullopt;
  return static_cast<pid_t>(value);
}

}  // namespace

// "/proc/<pid>/stat" begins "<pid> (<name>) <state>"; the name may hold any
// character, so it ends at the last ')'.
bool IsLiveDriver(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t open = line.find('(');
  const std::size_t close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open || close + 2 >= line.size()) return false;
  const char state = line[close + 2];
  return line.substr(open + 1, close - open - 1) == kDriverProgramName && state != 'Z' && state != 'X';
}

std::string PidFilePath(const std::string& prefix) { return prefix + "/tavrind.pid"; }

bool WritePidFile(const std::string& path, pid_t pid) {
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << pid << '\n';
    if (!out.flush()) return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

void RemovePidFileOf(const std::string& path, pid_t pid) {
  if (PidInFile(path) == pid) std::remove(path.c_str());
}

std::optional<pid_t> LiveDriverPid(const std::string& path) {
  const std::optional<pid_t> pid = PidInFile(path);
  if (!pid || !IsLiveDriver(*pid)) return std::nullopt;
  return pid;
}

}  // namespace tavrind
