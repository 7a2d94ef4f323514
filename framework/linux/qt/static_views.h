// Static controls: text labels and icons.
#pragma once

#include <QLabel>

#include "framework/linux/qt/control_view.h"

namespace framework::qt {

class TextStaticView : public QLabel, public ControlView {
 public:
  TextStaticView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }

 protected:
  void ShowOwnState() override;
};

// An SS_ICON static shows the icon its template names at the size of the
// system's icons, at its corner. Where the module lacks that icon it shows
// nothing and keeps its template rectangle.
class IconStaticView : public QLabel, public ControlView {
 public:
  IconStaticView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }
  void Place(const QRect& templateRect) override;

 protected:
  void ShowOwnState() override {}
};

}  // namespace framework::qt
