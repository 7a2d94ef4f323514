// A combo box: a drop-down list (no edit field) or a drop-down (with one).
// Picking an item becomes ChooseComboItem; typing becomes TypeComboText and is
// never turned into a selection.
#pragma once

#include <QComboBox>
#include <QEvent>

#include "framework/linux/qt/control_view.h"

namespace framework::qt {

class ComboBoxView : public QComboBox, public ControlView {
 public:
  ComboBoxView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }
  KeyTarget KeyTargetKind() const override;
  // The template's height includes the dropped-down list.
  void Place(const QRect& templateRect) override;

  void showPopup() override;

 protected:
  void ShowOwnState() override;
  // The open list closes in many ways (a choice, a click elsewhere, Escape);
  // the core learns of each when the list hides.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool PopupShown() const;
};

}  // namespace framework::qt
