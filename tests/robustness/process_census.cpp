#include "process_census.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "stand_in.h"

namespace robustness {
namespace {

// The parent in /proc/<pid>/stat: "pid (name) state ppid ..."; the name may
// hold blanks and parentheses.
pid_t ParentOf(const std::filesystem::path& processDirectory) {
  std::ifstream stat(processDirectory / "stat");
  std::string line;
  if (!std::getline(stat, line)) return 0;
  const std::size_t nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos) return 0;
  char state = 0;
  long parent = 0;
  if (std::sscanf(line.c_str() + nameEnd + 1, " %c %ld", &state, &parent) != 2) return 0;
  return static_cast<pid_t>(parent);
}

}  // namespace

int ChildProcessCount() {
  int children = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (ParentOf(entry.path()) == getpid()) ++children;
  }
  return children;
}

std::string StandInHandles() {
  return "keys " + std::to_string(winapi::OpenKeyCount()) + ", files " + std::to_string(winapi::OpenFileHandleCount()) +
         ", processes " + std::to_string(winapi::OpenProcessHandleCount()) + ", unreaped " +
         std::to_string(winapi::UnreapedChildCount());
}

}  // namespace robustness
