// The message loops: a dialog's modal loop and the application's own loop.
// Each message for a running dialog or one of its controls passes that
// dialog's PreTranslateMessage before it is dispatched.
#pragma once

#include <windows.h>

class CDialog;

namespace framework::win32 {

// One run of DoModal, from before its window exists until DoModal returns.
class ModalRun {
 public:
  explicit ModalRun(CDialog* dialog);
  ~ModalRun();
  ModalRun(const ModalRun&) = delete;
  ModalRun& operator=(const ModalRun&) = delete;

  // Takes and delivers messages until EndDialog, a quit request (taken, then
  // posted again for the loops outside) or the window's end. A dialog whose
  // template lacks WS_VISIBLE is shown when the loop first finds no message.
  // Returns the EndDialog result, or -1.
  INT_PTR Run(HWND window);
  // The first EndDialog of a run decides its result.
  void End(INT_PTR result);
  CDialog* Dialog() const { return m_dialog; }

  // The run of dialog, if it runs; the innermost running dialog's window.
  static ModalRun* Of(const CDialog* dialog);
  static HWND TopWindow();

 private:
  CDialog* m_dialog;
  bool m_ended = false;
  INT_PTR m_result = -1;
};

// What a test harness that drives the real dialogs is told: a dialog's window
// exists and is initialised, and a dialog's loop has ended (its window still
// exists then). Null members are not called.
struct ModalObserver {
  void (*started)(CDialog* dialog) = nullptr;
  void (*ended)(CDialog* dialog, INT_PTR result) = nullptr;
};
void SetModalObserver(const ModalObserver& observer);
const ModalObserver& CurrentModalObserver();

// The application's loop when InitInstance keeps it running: until a quit request.
void RunApplicationLoop();

// The exit code of the last quit request a loop took; 0 without one.
int QuitExitCode();

}  // namespace framework::win32
