#include "tools/tavrind/pid_file.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
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

bool IsDriverProcess(pid_t pid) {
  if (kill(pid, 0) != 0 && errno != EPERM) return false;
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  return std::getline(comm, name) && name == kDriverProgramName;
}

}  // namespace

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
  if (!pid || !IsDriverProcess(*pid)) return std::nullopt;
  return pid;
}

}  // namespace tavrind
