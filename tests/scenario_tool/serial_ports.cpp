#include "serial_ports.h"

#include <unistd.h>

#include "world_error.h"

namespace scenario {

void SerialPorts::Set(int number, bool busy) {
  auto found = m_ports.find(number);
  if (found == m_ports.end()) {
    try {
      found = m_ports.try_emplace(number).first;
    } catch (const std::runtime_error& error) {
      throw WorldError(error.what());
    }
    const std::string link = m_deviceDirectory + "/com" + std::to_string(number);
    if (symlink(found->second.terminal.slavePath().c_str(), link.c_str()) != 0) ThrowSystemError("cannot link " + link);
  }
  Port& port = found->second;
  if (!busy) {
    port.holder.Release();
  } else if (!port.holder.IsHeld()) {
    port.holder = TerminalHold(port.terminal.slavePath());
  }
}

}  // namespace scenario
