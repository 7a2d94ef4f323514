// Reads the driver's configuration: the settings word of every port name.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrind {

struct WatchedPort {
  std::string name;  // "COM1" to "COM225"
  unsigned word = 0;
};

// The ports whose word has the watched bit, in port-name order. A value that
// is missing or longer than four bytes reads as 0. Nothing when the service
// key cannot be opened (missing key, unreadable or malformed hive).
std::optional<std::vector<WatchedPort>> ReadWatchedPorts();

}  // namespace tavrind
