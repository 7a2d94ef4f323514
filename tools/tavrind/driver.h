// The driver stand-in's service: keeps the control device (a FIFO), reads
// commands from it, and holds the watched serial ports.
#pragma once

#include <functional>
#include <string>

namespace tavrind {

struct DriverRun {
  // Logs to standard error as well as to the prefix's log file.
  bool foreground = false;
  // Told once: an empty text when the driver serves (control device made,
  // watched ports held, pid file written), else why it does not.
  std::function<void(const std::string& failure)> started = [](const std::string&) {};
};

// Runs until SIGTERM or SIGINT; SIGHUP restarts (releases every port, reads
// the configuration again and holds the watched ports). Returns the exit
// status: 0 after a clean stop, 1 when it could not start.
int RunDriver(const std::string& prefix, const DriverRun& run);

}  // namespace tavrind
