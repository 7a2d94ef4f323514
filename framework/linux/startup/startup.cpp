// The start of the program: the language of the locale, the backend that can
// show the dialog here, then the application object.
#include "framework/linux/startup/startup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/framework.h"
#include "framework/linux/resources.h"
#include "framework/linux/startup/administrator_rights.h"
#include "framework/linux/startup/run_on_qt.h"
#include "framework/linux/startup/system_backend.h"
#include "framework/linux/tui/held_standard_error.h"
#include "framework/linux/tui/terminal_choice.h"

namespace framework {
namespace {

int RunInTerminal() {
  const tui::HeldStandardError held;
  const auto backend = tui::MakeTerminalBackend();
  return AfxGetApp()->Run();
}

}  // namespace

int RunWithSystemBackend(int argc, char** argv) {
  const std::string program = std::filesystem::path(argc > 0 && argv[0] != nullptr ? argv[0] : "").filename();
  if (const std::string missing = MissingAdministratorRights(program); !missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return 1;
  }
  SetResourceLanguage(LanguageFromLocale());

  const auto variable = [](const char* name) { return std::getenv(name); };
  switch (ChooseSystemBackend(variable, QtBuilt(), tui::TerminalBackendUsable())) {
    case SystemBackend::Qt:
      return RunOnQt(argc, argv);
    case SystemBackend::Terminal:
      return RunInTerminal();
    case SystemBackend::None:
      break;
  }
  if (QtBuilt()) {
    std::fprintf(stderr,
                 "%s: no display (DISPLAY is not set) and no terminal to draw in; run it in a terminal, "
                 "or under a virtual display: xvfb-run %s\n",
                 program.c_str(), program.c_str());
  } else {
    std::fprintf(stderr, "%s: built without Qt, so it needs a terminal to draw in; run it in a terminal\n",
                 program.c_str());
  }
  return 1;
}

}  // namespace framework
