// Push buttons and group boxes.
#pragma once

#include <QGroupBox>
#include <QPushButton>

#include "framework/linux/qt/control_view.h"

namespace framework::qt {

class PushButtonView : public QPushButton, public ControlView {
 public:
  PushButtonView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }
  KeyTarget KeyTargetKind() const override { return KeyTarget::PushButton; }

 protected:
  void ShowOwnState() override;
};

class GroupBoxView : public QGroupBox, public ControlView {
 public:
  GroupBoxView(HWND control, QWidget* parent);
  QWidget* Widget() override { return this; }

 protected:
  void ShowOwnState() override;
};

}  // namespace framework::qt
