// The start of the program: the language of the locale, the backend that can
// show the dialog here, then the application object.
#include "startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "administrator_rights.h"
#include "framework.h"
#include "qt_backend.h"
#include "resources.h"
#include "system_backend.h"
#include "terminal_choice.h"

namespace framework {
namespace {

int RunOnQt(int argc, char** argv) {
  std::optional<QApplication> application;
  if (QCoreApplication::instance() == nullptr) application.emplace(argc, argv);
  int exitCode = 0;
  {
    qt::QtBackend backend;
    SetBackend(&backend);
    exitCode = AfxGetApp()->Run();
    SetBackend(nullptr);
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return exitCode;
}

int RunInTerminal() {
  const auto backend = tui::MakeTerminalBackend();
  return AfxGetApp()->Run();
}

}  // namespace

int RunWithSystemBackend(int argc, char** argv) {
  const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "";
  if (const std::string missing = MissingAdministratorRights(program); !missing.empty()) {
    std::fprintf(stderr, "%s\n", missing.c_str());
    return 1;
  }
  SetResourceLanguage(LanguageFromLocale());

  const auto variable = [](const char* name) { return std::getenv(name); };
  switch (ChooseSystemBackend(variable, tui::TerminalBackendUsable())) {
    case SystemBackend::Qt:
      return RunOnQt(argc, argv);
    case SystemBackend::Terminal:
      return RunInTerminal();
    case SystemBackend::None:
      break;
  }
  std::fprintf(stderr,
               "%s: no display (DISPLAY is not set) and no terminal to draw in; run it in a terminal, "
               "or under a virtual display: xvfb-run %s\n",
               program.c_str(), program.c_str());
  return 1;
}

}  // namespace framework
