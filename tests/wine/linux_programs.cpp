#include "tests/wine/linux_programs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace wine_test {
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

int Status(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

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
  return Status(status);
}

std::optional<int> WaitForProcess(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) return Status(status);
    if (ended < 0 && errno != EINTR) return -1;
    if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
    usleep(10'000);
  }
}

int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment) {
  const pid_t pid = StartProcess(command, environment);
  return pid < 0 ? -1 : WaitForProcess(pid);
}

}  // namespace wine_test
