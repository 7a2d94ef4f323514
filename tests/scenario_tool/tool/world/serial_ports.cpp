#include "tests/scenario_tool/tool/world/serial_ports.h"

namespace scenario {

void SerialPorts::Set(int number, bool busy) {
  auto found = m_ports.find(number);
  if (found == m_ports.end()) {
    found = m_ports.try_emplace(number, m_deviceDirectory + "/com" + std::to_string(number)).first;
  }
  found->second.SetHeld(busy);
}

}  // namespace scenario
