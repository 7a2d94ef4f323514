// Holding a terminal the way another program holds a device it has to itself:
// an exclusive flock (which the Linux stand-in honours) and exclusive terminal
// mode (in which the kernel refuses every further open, which is how Wine,
// which takes no lock, finds it busy).
#pragma once

#include <string>

#include "tests/support/pseudo_terminal.h"
#include "winapi/unique_fd.h"

namespace scenario {

// An open of the terminal's slave that holds it exclusively.
class TerminalHold {
 public:
  TerminalHold() = default;
  explicit TerminalHold(const test_support::PseudoTerminal& terminal);
  ~TerminalHold() { Release(); }
  TerminalHold(TerminalHold&&) = default;
  TerminalHold& operator=(TerminalHold&& other) noexcept {
    Release();
    m_fd = std::move(other.m_fd);
    return *this;
  }

  bool IsHeld() const { return m_fd.Valid(); }
  // Leaves exclusive mode and closes the open, which drops the lock.
  void Release();

 private:
  winapi::UniqueFd m_fd;
};

// A pseudo-terminal whose slave is linked at `linkPath` (the link stays the
// caller's to remove), free until this tool holds it.
class LinkedTerminal {
 public:
  explicit LinkedTerminal(const std::string& linkPath);
  LinkedTerminal(const LinkedTerminal&) = delete;
  LinkedTerminal& operator=(const LinkedTerminal&) = delete;

  void SetHeld(bool held);

 private:
  test_support::PseudoTerminal m_terminal;
  TerminalHold m_hold;  // released before the terminal goes
};

}  // namespace scenario
