// "tavrind install": what the driver's installation leaves on the machine.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// Creates the prefix and its device namespace, the service key in the hive,
// and a link dosdevices/comN for each serial device of deviceDirectory in COM
// order. Entries that exist already are kept. Returns the exit status.
int Install(const std::string& prefix, const std::string& deviceDirectory, std::ostream& out);

}  // namespace tavrind
