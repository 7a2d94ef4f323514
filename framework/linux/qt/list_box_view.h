// A list box. Its lines and selection come from the record (a sorted list is
// sorted by the core, never by Qt); the person's clicks become SelectListLine
// and the selection is shown once the core has made it.
#pragma once

#include <QListWidget>

#include "framework/linux/qt/control_view.h"

namespace framework::qt {

class ListBoxView : public QListWidget, public ControlView {
 public:
  ListBoxView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }
  KeyTarget KeyTargetKind() const override { return KeyTarget::ListBox; }

 protected:
  void ShowOwnState() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SelectLineAt(const QPoint& position, bool onlyWhenChanged);
};

}  // namespace framework::qt
