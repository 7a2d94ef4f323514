#include "tests/scenario_tool/tool/world/held_terminal.h"

#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/scenario_tool/tool/world/world_error.h"

namespace scenario {
namespace {

// A fresh pseudo-terminal; failing to make one fails the world.
test_support::PseudoTerminal NewTerminal() {
  try {
    return test_support::PseudoTerminal();
  } catch (const std::runtime_error& error) {
    throw WorldError(error.what());
  }
}

}  // namespace

TerminalHold::TerminalHold(const test_support::PseudoTerminal& terminal) : m_fd(terminal.OpenSlave()) {
  const std::string& path = terminal.slavePath();
  if (!m_fd.Valid()) ThrowSystemError("cannot open " + path + " to hold it");
  if (flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) ThrowSystemError("cannot lock " + path);
  if (ioctl(m_fd.Get(), TIOCEXCL) != 0) ThrowSystemError("cannot put " + path + " in exclusive mode");
}

void TerminalHold::Release() {
  if (!m_fd.Valid()) return;
  ioctl(m_fd.Get(), TIOCNXCL);
  m_fd.Close();
}

LinkedTerminal::LinkedTerminal(const std::string& linkPath) : m_terminal(NewTerminal()) {
  if (symlink(m_terminal.slavePath().c_str(), linkPath.c_str()) != 0) ThrowSystemError("cannot link " + linkPath);
}

void LinkedTerminal::SetHeld(bool held) {
  if (!held) {
    m_hold.Release();
  } else if (!m_hold.IsHeld()) {
    m_hold = TerminalHold(m_terminal);
  }
}

}  // namespace scenario
