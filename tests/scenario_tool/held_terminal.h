// Holding a terminal the way another program holds a device it has to itself:
// an exclusive flock (which the Linux stand-in honours) and exclusive terminal
// mode (in which the kernel refuses every further open, which is how Wine,
// which takes no lock, finds it busy).
#pragma once

#include <string>

#include "unique_fd.h"

namespace scenario {

// An open of the terminal at `path` that holds it exclusively.
class TerminalHold {
 public:
  TerminalHold() = default;
  explicit TerminalHold(const std::string& path);
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

}  // namespace scenario
