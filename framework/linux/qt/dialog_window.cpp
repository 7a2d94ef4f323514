#include "framework/linux/qt/dialog_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QScopedValueRollback>

#include "framework/linux/accessible_name.h"
#include "framework/linux/input.h"
#include "framework/linux/qt/icons.h"
#include "framework/linux/qt/system_menu.h"

namespace framework::qt {
namespace {

constexpr Qt::WindowFlags kDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

}  // namespace

DialogWindow::DialogWindow(HWND dialog, QWidget* owner)
    : QWidget(owner, kDialogFlags),
      m_dialog(dialog),
      m_metrics(MetricsOf(DialogFont(dialog->Dialog().dialogTemplate))) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowModality(Qt::ApplicationModal);
  setFont(m_metrics.font);
  setFixedSize(
      m_metrics.ToPixels(RECT{0, 0, dialog->rect.right - dialog->rect.left, dialog->rect.bottom - dialog->rect.top})
          .size());
  for (const auto& child : dialog->children) {
    if (ControlView* view = CreateControlView(child.get(), m_metrics, this)) m_views.push_back(view);
  }
  // A list or combo is labelled by the static that names it.
  for (ControlView* view : m_views) {
    ControlView* label = ViewOfRecord(LabelOf(*view->Record()));
    if (auto* text = label != nullptr ? dynamic_cast<QLabel*>(label->Widget()) : nullptr)
      text->setBuddy(view->Widget());
  }
  ShowState(m_dialog);
}

ControlView* DialogWindow::ViewOfRecord(const HWND__* control) const {
  for (ControlView* view : m_views) {
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
    for (ControlView* view : m_views) {
      if (view->Widget() == widget) return view;
    }
  }
  return nullptr;
}

void DialogWindow::ShowState(HWND window) {
  {
    const QScopedValueRollback showing(m_showingState, true);
    if (window == m_dialog) {
      ShowDialogState();
    } else if (ControlView* view = ViewOfRecord(window)) {
      view->ShowState();
    }
    ShowNames();
  }
  ShowFocus();
}

// A label's text names its list or combo too, so every name is shown again.
void DialogWindow::ShowNames() {
  const auto show = [](QWidget* widget, const HWND__& record) {
    const QString name = QString::fromStdString(AccessibleName(record));
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
  };
  show(this, *m_dialog);
  for (ControlView* view : m_views) show(view->Widget(), *view->Record());
}

void DialogWindow::ShowDialogState() {
  setWindowTitle(QString::fromStdString(m_dialog->text));
  setWindowIcon(IconFromHandle(m_dialog->Dialog().bigIcon != nullptr ? m_dialog->Dialog().bigIcon
                                                                     : m_dialog->Dialog().smallIcon));
  for (ControlView* view : m_views) view->ShowState();
}

void DialogWindow::ShowFocus() {
  QWidget* widget = WidgetOf(m_dialog->Dialog().focus);
  if (widget == nullptr || widget == focusWidget()) return;
  const QScopedValueRollback showing(m_showingState, true);
  widget->setFocus(Qt::OtherFocusReason);
}

bool DialogWindow::TakesInput() const { return TopDialog() == m_dialog; }

void DialogWindow::ShowSystemMenuAt(QPoint globalPosition) {
  if (const auto command = ChooseFromSystemMenu(this, m_dialog, globalPosition)) SystemCommand(m_dialog, *command);
}

// The core ends the dialog; the window goes when it has.
void DialogWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (TakesInput()) CloseBox(m_dialog);
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
