// "tavrind install": what the driver's installation leaves on the machine.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// Creates the prefix and its device namespace, the service key in the hive,
// and a link dosdevices/comN for each serial device of deviceDirectory,
// numbered in COM order. Entries that exist already are kept: a device one of
// them stands for keeps it, and a device whose number is taken gets the
// lowest free one. Returns the exit status: 1 also when some device got no
// port, which is said.
int Install(const std::string& prefix, const std::string& deviceDirectory, std::ostream& out);

}  // namespace tavrind
