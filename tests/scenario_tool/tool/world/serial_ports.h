// The machine's serial ports: one pseudo-terminal per port, its slave linked
// into the device namespace as dosdevices/comN. A busy port is one that
// "another program" (this tool, through a second open) holds exclusively.
#pragma once

#include <map>
#include <string>

#include "tests/scenario_tool/tool/world/held_terminal.h"

namespace scenario {

class SerialPorts {
 public:
  explicit SerialPorts(std::string deviceDirectory) : m_deviceDirectory(std::move(deviceDirectory)) {}

  // Creates port COMn when it does not exist yet; then holds or frees it.
  void Set(int number, bool busy);

 private:
  std::string m_deviceDirectory;
  std::map<int, LinkedTerminal> m_ports;
};

}  // namespace scenario
