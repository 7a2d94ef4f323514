// tavrind, the stand-in for the TAVRIN driver:
//   tavrind install [--prefix DIR] [--dev DIR]   set up the prefix
//   tavrind run [--prefix DIR]                   serve the control device
// The prefix defaults to the platform's (TAVRIN_PREFIX, else /var/lib/tavrin).
#include <cstring>
#include <iostream>
#include <string>

#include "driver.h"
#include "install.h"
#include "stand_in.h"

namespace {

int Usage() {
  std::cerr << "usage: tavrind install [--prefix DIR] [--dev DIR]\n"
               "       tavrind run [--prefix DIR]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  std::string deviceDirectory = "/dev";
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    if (option == "--prefix") {
      winapi::SetPrefix(argv[++i]);
    } else if (option == "--dev" && command == "install") {
      deviceDirectory = argv[++i];
    } else {
      return Usage();
    }
  }
  if (command == "install") return tavrind::Install(winapi::Prefix(), deviceDirectory, std::cout);
  if (command == "run") return tavrind::RunDriver(winapi::Prefix());
  return Usage();
}
