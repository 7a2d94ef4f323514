// "tavrind stop": ends the driver of a prefix that was started by hand
// ("tavrind run"), found through its pid file.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// Sends the driver SIGTERM and waits until it has released its ports and
// ended. Returns the exit status: 0 also when no driver runs, 1 when it could
// not be signalled or did not end in time.
int StopDriver(const std::string& prefix, std::ostream& out, std::ostream& err);

}  // namespace tavrind
