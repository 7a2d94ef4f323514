// portsetup-scenario FILE: runs one scenario. Exit 0 when every check held,
// 1 when a check failed, 2 when the file cannot be read or holds a line that
// is not understood (then nothing runs).
#include <iostream>

#include "resource_tables.h"
#include "resources.h"
#include "scenario_run.h"
#include "script_parser.h"
#include "world_error.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: portsetup-scenario FILE\n";
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
