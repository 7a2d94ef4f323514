#include "framework/linux/qt/control_view.h"

#include <QSignalBlocker>

#include "framework/linux/qt/button_views.h"
#include "framework/linux/qt/combo_box_view.h"
#include "framework/linux/qt/dialog_metrics.h"
#include "framework/linux/qt/list_box_view.h"
#include "framework/linux/qt/static_views.h"

namespace framework::qt {

void ControlView::ShowState() {
  QWidget* widget = Widget();
  const QSignalBlocker blocker(widget);
  widget->setEnabled(m_control->enabled);
  ShowOwnState();
  widget->setVisible(m_control->visible);
}

ControlView* CreateControlView(HWND control, const DialogMetrics& metrics, QWidget* dialogWindow) {
  ControlView* view = nullptr;
  switch (control->kind) {
    case WindowKind::PushButton:
      view = new PushButtonView(control, dialogWindow);
      break;
    case WindowKind::GroupBox:
      view = new GroupBoxView(control, dialogWindow);
      break;
    case WindowKind::Static:
      view = new TextStaticView(control, dialogWindow);
      break;
    case WindowKind::IconStatic:
      view = new IconStaticView(control, dialogWindow);
      break;
    case WindowKind::ListBox:
      view = new ListBoxView(control, dialogWindow);
      break;
    case WindowKind::ComboBox:
      view = new ComboBoxView(control, dialogWindow);
      break;
    case WindowKind::Dialog:
      return nullptr;
  }
  view->Place(metrics.ToPixels(control->rect));
  return view;
}

}  // namespace framework::qt
