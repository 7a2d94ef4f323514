// What a backend does for the framework: wait for the person's input, show
// message boxes, and show the windows whose state the framework keeps. Exactly
// one backend is in use at a time: the one made last, from its construction
// until its destruction, when the one in use before it comes back.
#pragma once

#include <string>

#include "framework/linux/winuser.h"

namespace framework {

class Backend {
 public:
  Backend();
  virtual ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  // Blocks until the framework's message queue holds a message. Returns false
  // when no input will ever come (end of a script); the modal loop then ends as
  // on a quit request.
  virtual bool WaitForInput() = 0;

  // A message box, modal over its owner: returns IDOK, IDYES or IDNO.
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;

  // A dialog has been created and initialised and is shown: at once when its
  // template has WS_VISIBLE, else when its modal loop first waits for input.
  // DialogEnded follows when it has ended and is about to be destroyed; a
  // dialog that ended before it was shown reports neither.
  virtual void DialogStarted(HWND dialog) { (void)dialog; }
  virtual void DialogEnded(HWND dialog) { (void)dialog; }

  // A window's state changed (text, lines, items, selection, enabled, visible,
  // focus, icon, system menu); also while a dialog is initialised, before it is shown.
  virtual void WindowChanged(HWND window) { (void)window; }

  // DrawIcon painted an icon into a dialog at (x, y) (its iconPosition too).
  virtual void IconDrawn(HWND dialog) { (void)dialog; }

  // The wait cursor: depth 1 when the first CWaitCursor starts, 0 when the last ends.
  virtual void WaitCursorChanged(bool waiting) { (void)waiting; }

  // How many lines of a list box, or of a combo's dropped list, the person
  // sees at once: what the Page keys move by. Unless a backend shows them
  // otherwise, what the template's height holds in lines of 8 dialog units
  // (a combo's less its field), at least one.
  virtual int PageLines(HWND control);

  // Default processing of SC_KEYMENU and SC_MOVE.
  virtual void OpenSystemMenu(HWND dialog) { (void)dialog; }
  virtual void BeginMove(HWND dialog) { (void)dialog; }

 private:
  Backend* m_previous;
};

// The answer of a box that nobody answers: OK for an MB_OK box, Cancel where
// the box has it, else No.
int UnansweredBoxResult(UINT type);

// The backend in use; while none has been made, one that takes no input and
// answers no box.
Backend& CurrentBackend();

}  // namespace framework
