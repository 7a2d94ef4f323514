// "tavrind ports": the serial ports of the device namespace, each COMn with
// the device it stands for, whether the configuration watches it and whether
// the driver holds it.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// A line on the driver, then one line per port that has an entry in
// dosdevices/ or is watched, in port-name order. Returns the exit status: 1
// when the configuration cannot be read (the ports are listed all the same).
int PrintPorts(const std::string& prefix, std::ostream& out, std::ostream& err);

}  // namespace tavrind
