// portsetup-scenario [--wine] FILE: runs one scenario, on the headless backend
// or, with --wine, against the Windows build's real dialog under Wine. Exit 0
// when every check held, 1 when a check failed, 2 when the file cannot be read
// or holds a line that is not understood (then nothing runs), 3 when the file
// asks for a world that Wine cannot make (then nothing runs either).
#include <iostream>
#include <string>

#include "scenario_run.h"
#include "script_parser.h"
#include "wine_run.h"
#include "world_error.h"

namespace {

scenario::WineSetup WindowsBuild() {
  const std::string agentFolder = TAVRIN_WINDOWS_BUILD_DIR "/tests/scenario_tool/agent";
  return {agentFolder + "/portsetup-agent.exe", agentFolder + "/devcon.exe", TAVRIN_WINE_TEMPLATE_PREFIX,
          TAVRIN_WINE_PREPARE_SCRIPT};
}

}  // namespace

int main(int argc, char** argv) {
  const bool wine = argc == 3 && std::string(argv[1]) == "--wine";
  if (argc != 2 && !wine) {
    std::cerr << "usage: portsetup-scenario [--wine] FILE\n";
    return 2;
  }
  const char* path = argv[argc - 1];
  std::vector<scenario::ParseError> errors;
  const auto script = scenario::ReadScript(path, &errors);
  if (!script) {
    for (const auto& error : errors) std::cerr << path << ":" << error.line << ": " << error.message << "\n";
    return 2;
  }
  try {
    if (!wine) return scenario::ScenarioRun(*script, std::cout).Execute();
    if (const auto line = scenario::UnmakeableUnderWine(*script)) {
      std::cout << path << ":" << *line << ": Wine cannot make this world; the scenario does not run\n";
      return 3;
    }
    return scenario::WineRun(*script, std::cout, WindowsBuild()).Execute();
  } catch (const scenario::WorldError& error) {
    std::cerr << path << ": the world cannot be built: " << error.what() << "\n";
    return 1;
  }
}
