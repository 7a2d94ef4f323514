#include "framework/linux/tui/terminal_choice.h"

#include <unistd.h>

#include <cstdlib>

#include "framework/linux/tui/terminal_backend.h"

// Last: terminfo's headers define a macro for every capability name.
#include <curses.h>
#include <term.h>

namespace framework::tui {

bool TerminalBackendUsable() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return false;
  const char* name = std::getenv("TERM");
  if (name == nullptr || *name == '\0') return false;
  TERMINAL* previous = cur_term;
  int status = 0;
  if (setupterm(name, STDOUT_FILENO, &status) != OK) {
    set_curterm(previous);
    return false;
  }
  char* placeCursor = tigetstr(const_cast<char*>("cup"));
  const bool usable = placeCursor != nullptr && placeCursor != reinterpret_cast<char*>(-1);
  TERMINAL* probe = set_curterm(previous);
  del_curterm(probe);
  return usable;
}

std::unique_ptr<Backend> MakeTerminalBackend() { return std::make_unique<TerminalBackend>(); }

}  // namespace framework::tui
