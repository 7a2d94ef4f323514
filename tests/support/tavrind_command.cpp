#include "tests/support/tavrind_command.h"

#include <sys/wait.h>

#include <cstdlib>

#include "tests/support/file_text.h"

namespace test_support {

CommandOutcome RunTavrind(const std::string& tavrind, const std::string& command, const std::string& prefix) {
  const std::string output = prefix + "/tavrind.out";
  const int status = std::system((tavrind + " " + command + " --prefix " + prefix + " >" + output + " 2>&1").c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(output)};
}

}  // namespace test_support
