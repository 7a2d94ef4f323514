#include "framework/linux/qt/button_views.h"

#include "framework/linux/input.h"

namespace framework::qt {

PushButtonView::PushButtonView(HWND control, QWidget* parent) : QPushButton(parent), ControlView(control) {
  // Enter belongs to the core's dialog manager; the default look only follows
  // the template.
  setAutoDefault(false);
  setDefault((control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  connect(this, &QPushButton::clicked, this, [this] { ClickButton(Record()); });
}

void PushButtonView::ShowOwnState() { setText(QString::fromStdString(Record()->text)); }

GroupBoxView::GroupBoxView(HWND control, QWidget* parent) : QGroupBox(parent), ControlView(control) {
  setFocusPolicy(Qt::NoFocus);
  setAlignment((control->style & BS_CENTER) == BS_CENTER ? Qt::AlignHCenter : Qt::AlignLeft);
}

void GroupBoxView::ShowOwnState() { setTitle(QString::fromStdString(Record()->text)); }

}  // namespace framework::qt
