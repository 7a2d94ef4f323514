// A build with Qt: a QApplication for the run, unless the caller has one, and
// the Qt backend.
#include <QApplication>
#include <optional>

#include "framework/framework.h"
#include "framework/linux/qt/qt_backend.h"
#include "framework/linux/startup/qt/qt_messages.h"
#include "framework/linux/startup/run_on_qt.h"

namespace framework {

bool QtBuilt() { return true; }

int RunOnQt(int argc, char** argv) {
  const QtMessagesToDebugOutput messages;
  std::optional<QApplication> application;
  if (QCoreApplication::instance() == nullptr) application.emplace(argc, argv);
  int exitCode = 0;
  {
    qt::QtBackend backend;
    exitCode = AfxGetApp()->Run();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return exitCode;
}

}  // namespace framework
