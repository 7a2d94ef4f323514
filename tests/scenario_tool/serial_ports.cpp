#include "serial_ports.h"

#include <unistd.h>

#include "world_error.h"

namespace scenario {

void SerialPorts::Set(int number, bool busy) {
  auto found = m_ports.find(number);
  if (found == m_ports.end()) {
    Port port{OpenPseudoTerminal(), {}};
    const std::string link = m_deviceDirectory + "/com" + std::to_string(number);
    if (symlink(port.terminal.slavePath.c_str(), link.c_str()) != 0) ThrowSystemError("cannot link " + link);
    found = m_ports.emplace(number, std::move(port)).first;
  }
  Port& port = found->second;
  if (!busy) {
    port.holder.Release();
  } else if (!port.holder.IsHeld()) {
    port.holder = TerminalHold(port.terminal.slavePath);
  }
}

}  // namespace scenario
