// The device console tool of the tests under Wine, copied into a folder that a
// run puts on Wine's path. Each run appends its command line (the arguments
// joined by blanks) to devcon.log beside itself, followed by " [window N]"
// unless it was asked to keep its window hidden (N: the state it was asked
// for, or "default" when none). It then ends as devcon.behaviour beside itself
// says at that moment: "exit N" at once with code N, or "sleep S" after S
// seconds (a decimal) with 0; without that file at once with 0.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::string Beside(const char* name) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + name;
}

}  // namespace

int main(int argc, char** argv) {
  std::string line;
  for (int k = 1; k < argc; ++k) line.append(k > 1 ? " " : "").append(argv[k]);
  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  if ((startup.dwFlags & STARTF_USESHOWWINDOW) == 0) {
    line += " [window default]";
  } else if (startup.wShowWindow != SW_HIDE) {
    line += " [window " + std::to_string(startup.wShowWindow) + "]";
  }
  std::ofstream(Beside("devcon.log"), std::ios::app | std::ios::binary) << line << '\n';
  std::string mode;
  double value = 0;
  std::ifstream(Beside("devcon.behaviour")) >> mode >> value;
  if (mode == "sleep") {
    Sleep(static_cast<DWORD>(value * 1000));
    return 0;
  }
  return static_cast<int>(value);
}
