#include "pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

namespace devices_test {

PseudoTerminal::PseudoTerminal() {
  m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 || ptsname_r(m_master, name, sizeof name) != 0) {
    if (m_master >= 0) close(m_master);
    throw std::runtime_error("cannot make a pseudo-terminal");
  }
  m_slavePath = name;
}

PseudoTerminal::~PseudoTerminal() { close(m_master); }

std::string PseudoTerminal::slaveBaseName() const { return m_slavePath.substr(m_slavePath.rfind('/') + 1); }

int PseudoTerminal::OpenSlave() const { return open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC); }

}  // namespace devices_test
