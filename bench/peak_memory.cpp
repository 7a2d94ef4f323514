#include "bench/peak_memory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/program_timing.h"

extern char** environ;

namespace bench {
namespace {

// This process's environment with TAVRIN_PREFIX set to `prefix`, built before
// the fork so the child only calls execve.
std::vector<std::string> EnvironmentWithPrefix(const std::string& prefix) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (std::strncmp(*entry, "TAVRIN_PREFIX=", 14) != 0) entries.emplace_back(*entry);
  }
  entries.push_back("TAVRIN_PREFIX=" + prefix);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

long PeakResidentKiB(const PortWorld& world) {
  std::vector<std::string> environment = EnvironmentWithPrefix(world.Prefix());
  std::vector<std::string> arguments = {"portsetup-bench", kRssChildOption};
  const std::vector<char*> envp = Pointers(environment);
  const std::vector<char*> argv = Pointers(arguments);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot fork");
  if (child == 0) {
    execve("/proc/self/exe", argv.data(), envp.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error("cannot wait for the measuring child");
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the measuring child failed");
  return usage.ru_maxrss;
}

int RunRssChild() {
  HeadlessProgram program;
  const ProgramRun run = StartAndApply(program);
  return run.watchLines >= 0 && run.apply.count() > 0 ? 0 : 1;
}

}  // namespace bench
