// The machine's serial devices in the order the platform numbers them as
// COM ports: the on-board ports (ttyS0, ttyS1, ...), then USB serial adapters
// (ttyUSB*), then USB modems (ttyACM*), each group by number.
#pragma once

#include <string>
#include <vector>

namespace tavrind {

// Full paths of the matching entries of deviceDirectory (normally /dev); the
// first is COM1. Names are matched exactly ("ttyS" and digits only).
std::vector<std::string> SerialDevicesInComOrder(const std::string& deviceDirectory);

}  // namespace tavrind
