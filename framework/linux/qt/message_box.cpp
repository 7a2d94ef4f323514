#include "framework/linux/qt/message_box.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "framework/linux/backend.h"

namespace framework::qt {
namespace {

struct BoxButton {
  QMessageBox::StandardButton button;
  int id;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
      return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    default:
      return {{QMessageBox::Ok, IDOK}};
  }
}

// The button that Escape and the close box stand for: Cancel, or OK when it is
// the only button; none otherwise.
QMessageBox::StandardButton EscapeButtonOf(const std::vector<BoxButton>& buttons) {
  for (const BoxButton& b : buttons) {
    if (b.id == IDCANCEL) return b.button;
  }
  return buttons.size() == 1 ? buttons.front().button : QMessageBox::NoButton;
}

// QMessageBox would otherwise let Escape and the close box answer No.
class NoDismissFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT type) {
  const std::vector<BoxButton> buttons = ButtonsOf(type);
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::NoButton, owner);
  box.setTextFormat(Qt::PlainText);
  for (const BoxButton& b : buttons) box.addButton(b.button);
  box.setDefaultButton(buttons.front().button);

  NoDismissFilter noDismiss;
  const QMessageBox::StandardButton escape = EscapeButtonOf(buttons);
  if (escape == QMessageBox::NoButton) {
    box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    box.installEventFilter(&noDismiss);
  } else {
    box.setEscapeButton(escape);
  }

  box.exec();
  const auto pressed = box.standardButton(box.clickedButton());
  for (const BoxButton& b : buttons) {
    if (b.button == pressed) return b.id;
  }
  // Closed without a press (the application is going away).
  return UnansweredBoxResult(type);
}

}  // namespace framework::qt
