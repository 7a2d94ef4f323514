// devcon.exe, the stand-in for the device console tool. It knows one command,
// the one the program runs:
//   devcon.exe restart ROOT\TAVRIN
// which restarts the driver stand-in of the prefix (TAVRIN_PREFIX, else
// /var/lib/tavrin) by sending it SIGHUP.
#include <signal.h>
#include <strings.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "pid_file.h"
#include "stand_in.h"

namespace {

constexpr char kDeviceId[] = "ROOT\\TAVRIN";

int Usage() {
  std::cerr << "usage: devcon.exe restart " << kDeviceId << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // Device identifiers compare without regard to case, as on the platform.
  if (argc != 3 || std::strcmp(argv[1], "restart") != 0 || strcasecmp(argv[2], kDeviceId) != 0) return Usage();

  const std::string pidFile = tavrind::PidFilePath(winapi::Prefix());
  const auto driver = tavrind::LiveDriverPid(pidFile);
  if (!driver) {
    std::cerr << "devcon.exe: no TAVRIN driver is running (nothing live in " << pidFile << ")\n";
    return 1;
  }
  if (kill(*driver, SIGHUP) != 0) {
    std::cerr << "devcon.exe: cannot restart the driver (pid " << *driver << "): " << std::strerror(errno) << "\n";
    return 1;
  }
  std::cout << kDeviceId << ": restarted (pid " << *driver << ")\n";
  return 0;
}
