// The driver stand-in's commands run from a test, as a person runs them.
#pragma once

#include <string>

namespace test_support {

struct CommandOutcome {
  int status = -1;     // the exit status; -1 when the command did not exit
  std::string output;  // standard output and error together
};

// Runs "TAVRIND COMMAND --prefix PREFIX" to its end; its output is caught in
// PREFIX/tavrind.out.
CommandOutcome RunTavrind(const std::string& tavrind, const std::string& command, const std::string& prefix);

}  // namespace test_support
