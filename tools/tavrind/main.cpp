// tavrind, the stand-in for the TAVRIN driver:
//   tavrind install [--prefix DIR] [--dev DIR]   set up the prefix
//   tavrind run [--prefix DIR] [--foreground]    serve the control device
//   tavrind settings [--prefix DIR]              show the watched ports' settings
// The prefix defaults to the platform's (TAVRIN_PREFIX, else /var/lib/tavrin).
// "run" goes on in the background once it serves and logs to the prefix's
// tavrind.log; with --foreground it stays, logging to standard error too, as
// the service manager runs it.
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "tools/tavrind/background.h"
#include "tools/tavrind/driver.h"
#include "tools/tavrind/install.h"
#include "tools/tavrind/settings_report.h"
#include "winapi/stand_in.h"

namespace {

int Usage() {
  std::cerr << "usage: tavrind install [--prefix DIR] [--dev DIR]\n"
               "       tavrind run [--prefix DIR] [--foreground]\n"
               "       tavrind settings [--prefix DIR]\n";
  return 2;
}

int RunDetached() {
  // The background driver leaves the starting directory, so a relative
  // prefix is made absolute first.
  std::error_code error;
  const std::string prefix = std::filesystem::absolute(winapi::Prefix(), error).lexically_normal().string();
  if (!error) winapi::SetPrefix(prefix);
  return tavrind::RunInBackground(
      [&](const tavrind::StartedReport& started) {
        [[maybe_unused]] const int leftStartingDirectory = chdir("/");
        return tavrind::RunDriver(prefix, {.foreground = false, .started = started});
      },
      [&](pid_t pid) {
        std::cout << "tavrind: the driver of " << prefix << " runs as process " << pid << "; it logs to " << prefix
                  << "/tavrind.log\n";
      },
      std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  std::string deviceDirectory = "/dev";
  bool foreground = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--foreground" && command == "run") {
      foreground = true;
    } else if (i + 1 >= argc) {
      return Usage();
    } else if (option == "--prefix") {
      winapi::SetPrefix(argv[++i]);
    } else if (option == "--dev" && command == "install") {
      deviceDirectory = argv[++i];
    } else {
      return Usage();
    }
  }
  if (command == "install") return tavrind::Install(winapi::Prefix(), deviceDirectory, std::cout);
  if (command == "settings") return tavrind::PrintSettings(winapi::Prefix(), std::cout, std::cerr);
  if (command == "run" && foreground) return tavrind::RunDriver(winapi::Prefix(), {.foreground = true});
  if (command == "run") return RunDetached();
  return Usage();
}
