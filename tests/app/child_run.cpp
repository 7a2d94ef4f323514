#include "tests/app/child_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "base/write_all.h"

namespace robustness {
namespace {

std::string ReadToEnd(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return text;
    text.append(buffer, static_cast<std::size_t>(count));
  }
}

std::string Describe(int status) {
  if (WIFEXITED(status)) return "exited with status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) {
    if (WTERMSIG(status) == SIGALRM) return "hung: ended by its alarm";
    return std::string("ended by signal ") + strsignal(WTERMSIG(status));
  }
  return "ended in an unknown way";
}

}  // namespace

ChildOutcome RunInChild(unsigned seconds, const std::function<std::string()>& body) {
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) return {false, "cannot make a pipe", {}};
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return {false, "cannot fork", {}};
  }
  if (child == 0) {
    close(channel[0]);
    alarm(seconds);
    int status = 0;
    try {
      base::WriteAll(channel[1], body());
    } catch (const std::exception& error) {
      base::WriteAll(channel[1], std::string("exception: ") + error.what());
      status = 1;
    }
    _exit(status);  // no test framework teardown in the child
  }
  close(channel[1]);
  ChildOutcome outcome;
  outcome.report = ReadToEnd(channel[0]);
  close(channel[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  outcome.how = Describe(status);
  return outcome;
}

}  // namespace robustness
