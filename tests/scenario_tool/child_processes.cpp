#include "child_processes.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace scenario {
namespace {

// The parent of process `pid` from /proc/PID/stat, or 0 when it is gone.
pid_t ParentOf(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string text;
  std::getline(stat, text);
  // "PID (COMMAND) STATE PPID ...": the command may hold blanks and parentheses.
  const std::size_t commandEnd = text.rfind(')');
  if (commandEnd == std::string::npos) return 0;
  std::istringstream fields(text.substr(commandEnd + 1));
  char state = 0;
  pid_t parent = 0;
  fields >> state >> parent;
  return parent;
}

bool IsRunningChild(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

}  // namespace

std::vector<pid_t> RunningChildren() {
  std::vector<pid_t> children;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos || ParentOf(name) != getpid()) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(name));
    if (IsRunningChild(pid)) children.push_back(pid);
  }
  return children;
}

void EndRunningChildren() {
  for (pid_t pid : RunningChildren()) {
    kill(pid, SIGKILL);
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED) != 0 && errno == EINTR) {
    }
  }
}

}  // namespace scenario
