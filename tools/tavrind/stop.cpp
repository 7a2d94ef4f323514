#include "tools/tavrind/stop.h"

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "tools/tavrind/pid_file.h"

namespace tavrind {
namespace {

// A driver releases its ports and ends at once; this only bounds a hung one.
constexpr auto kStopBound = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

}  // namespace

int StopDriver(const std::string& prefix, std::ostream& out, std::ostream& err) {
  const std::optional<pid_t> driver = LiveDriverPid(PidFilePath(prefix));
  if (!driver) {
    out << "tavrind: no driver runs for " << prefix << "\n";
    return 0;
  }
  if (kill(*driver, SIGTERM) != 0) {
    err << "tavrind: cannot stop the driver (pid " << *driver << "): " << std::strerror(errno) << "\n";
    return 1;
  }
  const auto deadline = std::chrono::steady_clock::now() + kStopBound;
  while (IsLiveDriver(*driver)) {
    if (std::chrono::steady_clock::now() > deadline) {
      err << "tavrind: the driver (pid " << *driver << ") has not ended "
          << std::chrono::duration_cast<std::chrono::seconds>(kStopBound).count() << " s after SIGTERM\n";
      return 1;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  out << "tavrind: stopped the driver of " << prefix << " (pid " << *driver << ")\n";
  return 0;
}

}  // namespace tavrind
