// devcon.exe, the stand-in for the device console tool. It knows one command,
// the one the program runs:
//   devcon.exe [--prefix DIR] restart ROOT\TAVRIN
// which restarts the driver stand-in of the prefix (--prefix, else
// TAVRIN_PREFIX, else /var/lib/tavrin) by sending it SIGHUP.
#include <signal.h>
#include <strings.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/tavrind/pid_file.h"
#include "winapi/stand_in.h"

namespace {

constexpr char kDeviceId[] = "ROOT\\TAVRIN";

int Usage() {
  std::cerr << "usage: devcon.exe [--prefix DIR] restart '" << kDeviceId << "'\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--prefix") != 0) {
      words.emplace_back(argv[i]);
    } else if (i + 1 < argc) {
      winapi::SetPrefix(argv[++i]);
    } else {
      return Usage();
    }
  }
  // Device identifiers compare without regard to case, as on the platform.
  if (words.size() != 2 || words[0] != "restart" || strcasecmp(words[1].c_str(), kDeviceId) != 0) return Usage();

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
