#include "tests/support/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

namespace test_support {

PseudoTerminal::PseudoTerminal() : m_master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  char name[128];
  if (!m_master.Valid() || grantpt(m_master.Get()) != 0 || unlockpt(m_master.Get()) != 0 ||
      ptsname_r(m_master.Get(), name, sizeof name) != 0) {
    throw std::runtime_error("cannot make a pseudo-terminal");
  }
  m_slavePath = name;
}

std::string PseudoTerminal::slaveBaseName() const { return m_slavePath.substr(m_slavePath.rfind('/') + 1); }

winapi::UniqueFd PseudoTerminal::OpenSlave() const {
  return winapi::UniqueFd(open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
}

}  // namespace test_support
