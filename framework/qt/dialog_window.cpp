#include "dialog_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScopedValueRollback>

#include "icons.h"
#include "input.h"
#include "system_menu.h"

namespace framework::qt {
namespace {

constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace

DialogWindow::DialogWindow(HWND dialog, QWidget* owner)
    : QWidget(owner, kDialogFlags), dialog_(dialog), metrics_(MetricsOf(DialogFont(dialog->dialogTemplate))) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowModality(Qt::ApplicationModal);
  setFont(metrics_.font);
  setFixedSize(metrics_.ToPixels(RECT{0, 0, dialog->rect.right - dialog->rect.left,
                                      dialog->rect.bottom - dialog->rect.top})
                   .size());
  for (const auto& child : dialog->children) {
    if (ControlView* view = CreateControlView(child.get(), metrics_, this)) views_.push_back(view);
  }
  ShowState(dialog_);
}

ControlView* DialogWindow::ViewOfRecord(HWND control) const {
  for (ControlView* view : views_) {
    if (view->Record() == control) return view;
  }
  return nullptr;
}

QWidget* DialogWindow::WidgetOf(HWND control) const {
  ControlView* view = ViewOfRecord(control);
  return view != nullptr ? view->Widget() : nullptr;
}

ControlView* DialogWindow::ViewOf(const QWidget* widget) const {
  for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
    for (ControlView* view : views_) {
      if (view->Widget() == widget) return view;
    }
  }
  return nullptr;
}

void DialogWindow::ShowState(HWND window) {
  {
    const QScopedValueRollback showing(showingState_, true);
    if (window == dialog_) {
      ShowDialogState();
    } else if (ControlView* view = ViewOfRecord(window)) {
      view->ShowState();
    }
  }
  ShowFocus();
}

void DialogWindow::ShowDialogState() {
  setWindowTitle(QString::fromStdString(dialog_->text));
  setWindowIcon(IconFromHandle(dialog_->bigIcon != nullptr ? dialog_->bigIcon : dialog_->smallIcon));
  for (ControlView* view : views_) view->ShowState();
}

void DialogWindow::ShowFocus() {
  QWidget* widget = WidgetOf(dialog_->focus);
  if (widget == nullptr || widget == focusWidget()) return;
  const QScopedValueRollback showing(showingState_, true);
  widget->setFocus(Qt::OtherFocusReason);
}

bool DialogWindow::TakesInput() const { return TopDialog() == dialog_; }

void DialogWindow::ShowSystemMenuAt(QPoint globalPosition) {
  if (const auto command = ChooseFromSystemMenu(this, dialog_, globalPosition)) SystemCommand(dialog_, *command);
}

// The core ends the dialog; the window goes when it has.
void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (TakesInput()) CloseBox(dialog_);
}

// A right-click on the dialog's background (its frame, group boxes and labels)
// opens the system menu.
void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  const QWidget* under = childAt(event->pos());
  const bool background = under == nullptr || dynamic_cast<const QGroupBox*>(under) != nullptr ||
                          dynamic_cast<const QLabel*>(under) != nullptr;
  if (!background || !TakesInput()) return;
  ShowSystemMenuAt(event->globalPos());
}

}  // namespace framework::qt
