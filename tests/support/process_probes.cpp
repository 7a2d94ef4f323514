#include "tests/support/process_probes.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

namespace test_support {
namespace {

struct StatLine {
  std::string name;
  char state = 0;
  pid_t parent = 0;
};

// /proc/<pid>/stat: pid (name) state ppid ...; the name may hold blanks.
bool ReadStat(pid_t pid, StatLine& stat) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(in, line)) return false;
  const std::size_t open = line.find('(');
  const std::size_t close = line.rfind(')');
  if (open == std::string::npos || close == std::string::npos) return false;
  stat.name = line.substr(open + 1, close - open - 1);
  std::istringstream rest(line.substr(close + 1));
  return static_cast<bool>(rest >> stat.state >> stat.parent);
}

std::vector<pid_t> ChildrenWhere(const std::optional<std::string>& name) {
  std::vector<pid_t> children;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string file = entry.path().filename().string();
    if (file.find_first_not_of("0123456789") != std::string::npos) continue;
    StatLine stat;
    const pid_t pid = static_cast<pid_t>(std::stol(file));
    if (ReadStat(pid, stat) && stat.parent == getpid() && (!name || stat.name == *name)) children.push_back(pid);
  }
  return children;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

int OpenDescriptorCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

std::vector<pid_t> ChildrenNamed(const std::string& name) { return ChildrenWhere(name); }

std::vector<pid_t> Children() { return ChildrenWhere(std::nullopt); }

char ProcessState(pid_t pid) {
  StatLine stat;
  return ReadStat(pid, stat) ? stat.state : 0;
}

}  // namespace test_support
