// portsetup-scenario FILE: runs one scenario. Exit 0 when every check held,
// 1 when a check failed, 2 when the file cannot be read or holds a line that
// is not understood (then nothing runs). --help prints the usage.
#include <iostream>
#include <string_view>

#include "resource_tables.h"
#include "resources.h"
#include "scenario_run.h"
#include "script_parser.h"
#include "world_error.h"

namespace {

constexpr char kUsage[] =
    "usage: portsetup-scenario FILE\n"
    "runs the scenario FILE against the dialog on the headless backend and prints its transcript;\n"
    "exit 0: every check held, 1: a check failed, 2: FILE cannot be read or has lines not understood\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  if (argc != 2) {
    std::cerr << kUsage;
    return 2;
  }
  std::vector<scenario::ParseError> errors;
  const auto script = scenario::ReadScript(argv[1], &errors);
  if (!script) {
    for (const auto& error : errors) std::cerr << argv[1] << ":" << error.line << ": " << error.message << "\n";
    return 2;
  }
  framework::UseModule(res::ProgramModule());
  try {
    scenario::ScenarioRun run(*script, std::cout);
    return run.Execute();
  } catch (const scenario::WorldError& error) {
    std::cerr << argv[1] << ": the world cannot be built: " << error.what() << "\n";
    return 1;
  }
}
