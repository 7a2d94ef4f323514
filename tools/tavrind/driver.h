// The driver stand-in's service: keeps the control device (a FIFO), reads
// commands from it, and holds the watched serial ports.
#pragma once

#include <string>

namespace tavrind {

// Runs until SIGTERM or SIGINT; SIGHUP restarts (releases every port, reads
// the configuration again and holds the watched ports). Returns the exit
// status: 0 after a clean stop, 1 when it could not start.
int RunDriver(const std::string& prefix);

}  // namespace tavrind
