// Standard error held back while the dialog has the terminal: a line written
// there would land in the middle of the screen. Whatever the process and its
// children write to it meanwhile is kept and follows, in order, once the
// terminal is given back.
#pragma once

namespace framework::tui {

class HeldStandardError {
 public:
  // Holds standard error when it is a terminal; leaves a file or pipe alone.
  HeldStandardError();
  // Puts standard error back and writes what was held to it.
  ~HeldStandardError();
  HeldStandardError(const HeldStandardError&) = delete;
  HeldStandardError& operator=(const HeldStandardError&) = delete;

 private:
  int m_original = -1;  // standard error as it was
  int m_held = -1;      // the file that takes its place
};

}  // namespace framework::tui
