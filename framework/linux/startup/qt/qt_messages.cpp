#include "framework/linux/startup/qt/qt_messages.h"

#include <QString>
#include <cstdio>
#include <string>

#include <windows.h>

namespace framework {
namespace {

void HandleQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const std::string text = qFormatLogMessage(type, context, message).toStdString();
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", text.c_str());
    return;
  }
  OutputDebugStringA(("Qt: " + text + "\n").c_str());
}

}  // namespace

QtMessagesToDebugOutput::QtMessagesToDebugOutput() : m_previous(qInstallMessageHandler(HandleQtMessage)) {}

QtMessagesToDebugOutput::~QtMessagesToDebugOutput() { qInstallMessageHandler(m_previous); }

}  // namespace framework
