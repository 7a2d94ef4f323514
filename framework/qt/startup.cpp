// The start of the program: the language of the locale, the backend that can
// show a window here, then the application object.
#include "startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "framework.h"
#include "qt_backend.h"
#include "resources.h"
#include "system_backend.h"

namespace framework {

int RunWithSystemBackend(int argc, char** argv) {
  SetResourceLanguage(LanguageFromLocale());

  if (qt::ChooseSystemBackend([](const char* name) { return std::getenv(name); }) == qt::SystemBackend::None) {
    std::fprintf(stderr,
                 "portsetup: no display found (DISPLAY is not set); run it under a virtual display: "
                 "xvfb-run ./run\n");
    return 1;
  }

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

}  // namespace framework
