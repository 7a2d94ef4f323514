#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace scenario {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

void Redirect(posix_spawn_file_actions_t& actions, int from, int to, int flags) {
  if (from >= 0) {
    posix_spawn_file_actions_adddup2(&actions, from, to);
  } else {
    posix_spawn_file_actions_addopen(&actions, to, "/dev/null", flags, 0);
  }
}

}  // namespace

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) variables.emplace_back(*variable);
  return variables;
}

pid_t StartProcess(const std::vector<std::string>& command, const std::vector<std::string>& environment, int input,
                   int output, int error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  Redirect(actions, input, 0, O_RDONLY);
  Redirect(actions, output, 1, O_WRONLY);
  Redirect(actions, error, 2, O_WRONLY);
  std::vector<std::string> arguments = command;
  std::vector<std::string> variables = environment;
  const auto argv = Pointers(arguments);
  const auto envp = Pointers(variables);
  pid_t pid = -1;
  const int failure = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return failure == 0 ? pid : -1;
}

int WaitForProcess(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WaitForProcess(pid_t pid, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += 10) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid || (ended < 0 && errno == ECHILD)) return true;
    usleep(10'000);
  }
  return false;
}

int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment) {
  const pid_t pid = StartProcess(command, environment);
  return pid < 0 ? -1 : WaitForProcess(pid);
}

}  // namespace scenario
