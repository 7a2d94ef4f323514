// The terminal through ncursesw: full-screen mode on and off, a painted canvas
// shown, and the person's keys, clicks and resizes read as InputEvents.
#pragma once

#include <optional>

#include "framework/linux/tui/canvas.h"
#include "framework/linux/tui/cell_geometry.h"
#include "framework/linux/tui/input_event.h"

struct screen;

namespace framework::tui {

class CursesTerminal {
 public:
  CursesTerminal() = default;
  ~CursesTerminal();
  CursesTerminal(const CursesTerminal&) = delete;
  CursesTerminal& operator=(const CursesTerminal&) = delete;

  // Enters full-screen mode on standard input and output; false when the
  // terminal cannot be driven.
  bool Start();
  // Gives the terminal back as it was; nothing when it is not started.
  void Stop();
  bool Started() const { return m_screen != nullptr; }

  CellSize Size() const;
  // Shows `canvas` (of Size()), with the text cursor at `caret` or hidden.
  // `repaintAll` redraws every cell, not only the changed ones.
  void Show(const Canvas& canvas, std::optional<CellPoint> caret, bool repaintAll);
  // Waits for the next key, click or resize.
  InputEvent Read();

 private:
  InputEvent ReadAfterEscape();

  struct screen* m_screen = nullptr;
  int m_failedReads = 0;
};

}  // namespace framework::tui
