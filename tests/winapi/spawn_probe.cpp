// A program for the process tests to start. It reports what it saw through
// its exit code or a file:
//   spawn_probe exit N            exits with N
//   spawn_probe hidden            0 when standard input and output are /dev/null
//   spawn_probe cwd DIR           0 when started in DIR
//   spawn_probe write FILE W...   writes the words W joined by '|' to FILE
//   spawn_probe kill-self         ends by SIGKILL
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool IsDevNull(int fd) {
  struct stat opened {};
  struct stat null {};
  return fstat(fd, &opened) == 0 && stat("/dev/null", &null) == 0 && S_ISCHR(opened.st_mode) &&
         opened.st_rdev == null.st_rdev;
}

bool IsCurrentDirectory(const char* directory) {
  char current[PATH_MAX];
  char expected[PATH_MAX];
  return getcwd(current, sizeof current) != nullptr && realpath(directory, expected) != nullptr &&
         std::strcmp(current, expected) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "exit" && argc == 3) return std::atoi(argv[2]);
  if (mode == "hidden") return IsDevNull(STDIN_FILENO) && IsDevNull(STDOUT_FILENO) ? 0 : 1;
  if (mode == "cwd" && argc == 3) return IsCurrentDirectory(argv[2]) ? 0 : 1;
  if (mode == "write" && argc >= 3) {
    std::ofstream out(argv[2]);
    for (int i = 3; i < argc; ++i) out << (i > 3 ? "|" : "") << argv[i];
    return out ? 0 : 1;
  }
  if (mode == "kill-self") raise(SIGKILL);
  return 100;
}
