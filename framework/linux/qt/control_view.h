// One Qt widget per control record. A view only shows the record's state and
// turns the person's input into the calls of input.h; it keeps no state of its
// own that the core does not have.
#pragma once

#include <QWidget>
#include <memory>

#include "framework/linux/qt/key_routing.h"
#include "framework/linux/window.h"

namespace framework::qt {

struct DialogMetrics;

class ControlView {
 public:
  explicit ControlView(HWND control) : m_control(control) {}
  virtual ~ControlView() = default;
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  HWND Record() const { return m_control; }
  virtual QWidget* Widget() = 0;
  virtual KeyTarget KeyTargetKind() const { return KeyTarget::None; }

  // Shows the record's state (text, lines, items, selection, enabled,
  // visible) without reporting anything back as the person's doing.
  void ShowState();

  // Places the widget for its template rectangle, converted to pixels.
  virtual void Place(const QRect& templateRect) { Widget()->setGeometry(templateRect); }

 protected:
  virtual void ShowOwnState() = 0;

 private:
  HWND m_control;
};

// Creates the view of a control as a child of the dialog's window and places
// it at its template rectangle.
ControlView* CreateControlView(HWND control, const DialogMetrics& metrics, QWidget* dialogWindow);

}  // namespace framework::qt
