// The text backend: shows the dialogs whose state the framework keeps in the
// terminal and reports the person's keys and clicks through input.h. It takes
// the terminal over when it first has something to show and gives it back
// when the last dialog has ended.
#pragma once

#include <string>

#include "framework/linux/backend.h"
#include "framework/linux/tui/curses_terminal.h"
#include "framework/linux/tui/message_box_popup.h"
#include "framework/linux/tui/screen_state.h"

namespace framework::tui {

class TerminalBackend final : public Backend {
 public:
  TerminalBackend();
  ~TerminalBackend() override;

  bool WaitForInput() override;
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  void DialogStarted(HWND dialog) override;
  void DialogEnded(HWND dialog) override;
  void WaitCursorChanged(bool waiting) override;
  void OpenSystemMenu(HWND dialog) override;
  // The rows a list, or a dropped list, showed when last painted.
  int PageLines(HWND control) override;

 private:
  bool EnsureStarted();
  void Redraw(const MessageBoxPopup* box = nullptr);
  // Reads one event; handles resizes and redraw requests itself and then
  // returns an event of kind Nothing.
  InputEvent ReadEvent();

  CursesTerminal m_terminal;
  bool m_unusable = false;
  bool m_repaintAll = false;
  ScreenState m_state;
};

}  // namespace framework::tui
