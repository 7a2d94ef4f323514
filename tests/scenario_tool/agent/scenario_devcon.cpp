// The device console tool of a scenario's world under Wine: appends its
// command line (the arguments joined by blanks) to devcon.log beside itself,
// then ends as devcon.behaviour beside itself says: "exit N" at once with
// code N, or "sleep S" after S seconds with 0.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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
  std::string args;
  for (int k = 1; k < argc; ++k) args.append(k > 1 ? " " : "").append(argv[k]);
  std::ofstream(Beside("devcon.log"), std::ios::app | std::ios::binary) << args << '\n';
  std::string mode;
  double value = 0;
  std::ifstream(Beside("devcon.behaviour")) >> mode >> value;
  if (mode == "sleep") {
    Sleep(static_cast<DWORD>(value * 1000));
    return 0;
  }
  return static_cast<int>(value);
}
