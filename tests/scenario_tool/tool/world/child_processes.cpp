#include "tests/scenario_tool/tool/world/child_processes.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "tests/support/process_probes.h"

namespace scenario {
namespace {

bool IsRunningChild(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

}  // namespace

std::vector<pid_t> RunningChildren() {
  std::vector<pid_t> children = test_support::Children();
  std::erase_if(children, [](pid_t pid) { return !IsRunningChild(pid); });
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
