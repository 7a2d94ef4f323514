// The message loops: a dialog's modal loop and the application's own loop.
// Each message taken passes the PreTranslateMessage of the dialog it belongs
// to and is then dispatched to its window.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// Runs the modal loop of a created and initialised dialog until EndDialog, a
// quit request (the request stays pending for the loops outside) or the end
// of all input. A dialog whose template has WS_VISIBLE is shown at once, any
// other when the loop first waits for input.
// Returns the EndDialog result, or -1.
INT_PTR RunModalLoop(HWND dialog);

// The platform's move mode, begun by the system menu's Move: a loop of its own
// that delivers every message but key presses, and ends with Escape or Enter
// (which the dialog never sees), with the person's next click (which does
// nothing else), or with a quit request (which stays pending). A dialog that
// ends meanwhile returns from its modal loop when the move is over.
void RunMoveLoop(HWND dialog);
// Ends the move mode of the dialog on top; true when it was moving.
bool EndMoveOnClick();

// The application's loop when InitInstance keeps it running: until a quit
// request or the end of all input.
void RunApplicationLoop();

// Keeps the owner of a nested modal window (a dialog or a message box)
// disabled while it runs, and enables it again after when it was enabled before.
class ModalOwnerLock {
 public:
  explicit ModalOwnerLock(HWND owner);
  ~ModalOwnerLock();
  ModalOwnerLock(const ModalOwnerLock&) = delete;
  ModalOwnerLock& operator=(const ModalOwnerLock&) = delete;

 private:
  HWND m_owner;
};

}  // namespace framework
