// The top-level window of one dialog record: fixed size, caption and icon of
// the record, no minimize or maximize button, one view per control.
#pragma once

#include <QWidget>
#include <vector>

#include "framework/linux/qt/control_view.h"
#include "framework/linux/qt/dialog_metrics.h"
#include "framework/linux/window.h"

namespace framework::qt {

class DialogWindow : public QWidget {
 public:
  // `owner`: the window of the dialog that owns this one, or null.
  DialogWindow(HWND dialog, QWidget* owner);

  HWND Record() const { return m_dialog; }
  const DialogMetrics& Metrics() const { return m_metrics; }
  QWidget* WidgetOf(HWND control) const;
  // The control a widget belongs to (also an inner part of it, or the open
  // list of a combo); null for the dialog's own background.
  ControlView* ViewOf(const QWidget* widget) const;

  // Shows the record's state: of the dialog (caption, icon, every control) or
  // of one control; then the focus.
  void ShowState(HWND window);
  // Gives Qt's focus to the control that has the core's.
  void ShowFocus();
  // Whether a state change is being shown now (Qt's focus moves are not the
  // person's then).
  bool ShowingState() const { return m_showingState; }

  void ShowSystemMenuAt(QPoint globalPosition);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  ControlView* ViewOfRecord(const HWND__* control) const;
  void ShowDialogState();
  void ShowNames();
  bool TakesInput() const;

  HWND m_dialog;
  DialogMetrics m_metrics;
  std::vector<ControlView*> m_views;  // owned by Qt as children, in template order
  bool m_showingState = false;
};

}  // namespace framework::qt
