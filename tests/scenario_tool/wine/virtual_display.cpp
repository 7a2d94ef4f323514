#include "virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "unique_fd.h"
#include "world_error.h"

namespace scenario {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Starts `command` with its standard output to `output` (or discarded when
// -1) and its standard error discarded.
pid_t Spawn(std::vector<std::string> command, std::vector<std::string> environment, int output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output >= 0) {
    posix_spawn_file_actions_adddup2(&actions, output, 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const auto argv = Pointers(command);
  const auto envp = Pointers(environment);
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

int Reap(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) variables.emplace_back(*variable);
  return variables;
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) ThrowSystemError("cannot make a pipe");
  winapi::UniqueFd reader(pipeEnds[0]);
  winapi::UniqueFd writer(pipeEnds[1]);
  // Xvfb picks a free display and writes its number to the descriptor given.
  m_pid = Spawn({"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, CurrentEnvironment(),
                writer.Get());
  if (m_pid < 0) throw WorldError("cannot start Xvfb");
  writer.Close();
  std::string number;
  for (;;) {
    pollfd readable{reader.Get(), POLLIN, 0};
    if (poll(&readable, 1, 30'000) <= 0) break;
    char c = 0;
    if (read(reader.Get(), &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  if (number.empty()) {
    kill(m_pid, SIGTERM);
    Reap(m_pid);
    throw WorldError("Xvfb did not start");
  }
  m_name = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
  if (m_pid < 0) return;
  kill(m_pid, SIGTERM);
  Reap(m_pid);
}

int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment) {
  const pid_t pid = Spawn(command, environment, -1);
  return pid < 0 ? -1 : Reap(pid);
}

}  // namespace scenario
