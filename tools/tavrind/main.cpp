// tavrind, the stand-in for the TAVRIN driver:
//   tavrind install [--prefix DIR] [--dev DIR]   set up the prefix
//   tavrind run [--prefix DIR] [--foreground]    serve the control device
//   tavrind stop [--prefix DIR]                  end a driver started by hand
//   tavrind settings [--prefix DIR]              show the watched ports' settings
//   tavrind ports [--prefix DIR]                 show each COMn's device, watched, held
//   tavrind export [--prefix DIR] [--utf8] [FILE]  the settings as a registry editor file
//   tavrind import [--prefix DIR] FILE           the settings of such a file
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
#include "tools/tavrind/ports_report.h"
#include "tools/tavrind/settings_export.h"
#include "tools/tavrind/settings_import.h"
#include "tools/tavrind/settings_report.h"
#include "tools/tavrind/stop.h"
#include "winapi/stand_in.h"

namespace {

int Usage() {
  std::cerr << "usage: tavrind install [--prefix DIR] [--dev DIR]\n"
               "       tavrind run [--prefix DIR] [--foreground]\n"
               "       tavrind stop [--prefix DIR]\n"
               "       tavrind settings [--prefix DIR]\n"
               "       tavrind ports [--prefix DIR]\n"
               "       tavrind export [--prefix DIR] [--utf8] [FILE]\n"
               "       tavrind import [--prefix DIR] FILE\n";
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
  const bool takesFile = command == "export" || command == "import";
  std::string deviceDirectory = "/dev";
  std::string file;
  bool foreground = false;
  bool utf8 = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--foreground" && command == "run") {
      foreground = true;
    } else if (option == "--utf8" && command == "export") {
      utf8 = true;
    } else if (takesFile && file.empty() && !option.starts_with("--")) {
      file = option;
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
  const std::string& prefix = winapi::Prefix();
  if (command == "install") return tavrind::Install(prefix, deviceDirectory, std::cout);
  if (command == "settings") return tavrind::PrintSettings(prefix, std::cout, std::cerr);
  if (command == "ports") return tavrind::PrintPorts(prefix, std::cout, std::cerr);
  if (command == "stop") return tavrind::StopDriver(prefix, std::cout, std::cerr);
  if (command == "export") {
    const auto encoding = utf8 ? winapi::HiveEncoding::Utf8 : winapi::HiveEncoding::Utf16Le;
    return tavrind::ExportSettings(prefix, encoding, file, std::cout, std::cerr);
  }
  if (command == "import" && !file.empty()) return tavrind::ImportSettings(prefix, file, std::cout, std::cerr);
  if (command == "run" && foreground) return tavrind::RunDriver(prefix, {.foreground = true});
  if (command == "run") return RunDetached();
  return Usage();
}
