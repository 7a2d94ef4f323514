// The Qt 6 Widgets backend: shows the dialogs whose state the core keeps and
// reports the person's input through input.h. Needs a QApplication.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "framework/linux/backend.h"
#include "framework/linux/qt/accessibility.h"
#include "framework/linux/qt/dialog_window.h"
#include "framework/linux/qt/qt_translation.h"

namespace framework::qt {

class QtBackend final : public QObject, public Backend {
 public:
  QtBackend();
  ~QtBackend() override;

  bool WaitForInput() override;
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  void DialogStarted(HWND dialog) override;
  void DialogEnded(HWND dialog) override;
  void WindowChanged(HWND window) override;
  void WaitCursorChanged(bool waiting) override;
  void OpenSystemMenu(HWND dialog) override;
  void BeginMove(HWND dialog) override;
  int PageLines(HWND control) override;

  // The window of a running dialog, or null.
  DialogWindow* WindowOf(HWND dialog) const;

 protected:
  // Keys and focus moves of the dialogs' widgets, before Qt handles them.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool RouteKeyPress(DialogWindow& window, QWidget* receiver, const QKeyEvent& event);
  void NoteFocusIn(DialogWindow& window, QWidget* receiver, const QFocusEvent& event);

  AccessibleInterfaces m_accessibleInterfaces;
  QtTranslation m_translation;                           // Qt's words in the language of the string table
  std::vector<std::unique_ptr<DialogWindow>> m_windows;  // innermost last
};

}  // namespace framework::qt
