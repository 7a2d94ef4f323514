// portsetup-scenario [--wine] FILE: runs one scenario, on the headless backend
// or, with --wine, against the Windows build's real dialog under Wine. Exit 0
// when every check held, 1 when a check failed, 2 when the file cannot be read
// or holds a line that is not understood (then nothing runs), 3 when the file
// asks for a world that Wine cannot make as the Linux side does (then nothing
// runs either). --help prints the usage.
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "framework/linux/resources.h"
#include "res/resource_tables.h"
#include "tests/scenario_tool/script/script_parser.h"
#include "tests/scenario_tool/tool/scenario_run.h"
#include "tests/scenario_tool/tool/wine/wine_run.h"

namespace {

constexpr char kUsage[] =
    "usage: portsetup-scenario [--wine] FILE\n"
    "runs the scenario FILE against the dialog on the headless backend, or with --wine against the Windows\n"
    "build's real dialog under Wine, and prints its transcript;\n"
    "exit 0: every check held, 1: a check failed, 2: FILE cannot be read or has lines not understood,\n"
    "3: FILE asks for a world Wine cannot make as the Linux side does (with --wine)\n";

scenario::WineSetup WindowsBuild() {
  return {TAVRIN_WINDOWS_BUILD_DIR "/tests/scenario_tool/agent/portsetup-agent.exe",
          TAVRIN_WINDOWS_BUILD_DIR "/tests/wine/devcon/devcon.exe", TAVRIN_WINE_TEMPLATE_PREFIX,
          TAVRIN_WINE_PREPARE_SCRIPT};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  const bool wine = argc == 3 && std::string_view(argv[1]) == "--wine";
  if (argc != 2 && !wine) {
    std::cerr << kUsage;
    return 2;
  }
  const char* path = argv[argc - 1];
  std::vector<scenario::ParseError> errors;
  const auto script = scenario::ReadScript(path, &errors);
  if (!script) {
    for (const auto& error : errors) std::cerr << path << ":" << error.line << ": " << error.message << "\n";
    return 2;
  }
  framework::UseModule(res::ProgramModule());
  try {
    if (!wine) return scenario::ScenarioRun(*script, std::cout).Execute();
    if (const auto line = scenario::UnmakeableUnderWine(*script)) {
      std::cout << path << ":" << *line
                << ": Wine cannot make this world as the Linux side does; the scenario does not run\n";
      return 3;
    }
    return scenario::WineRun(*script, std::cout, WindowsBuild()).Execute();
  } catch (const std::runtime_error& error) {
    // A WorldError, or a failure of a temporary folder, the Wine prefix or the display.
    std::cerr << path << ": the world cannot be built: " << error.what() << "\n";
    return 1;
  }
}
