// The device console tool as the restart tests need it: records how it was
// started in the file TAVRIN_TEST_DEVCON_LOG ("args=..." and "show=N", the
// window state it was asked for), sleeps TAVRIN_TEST_DEVCON_SLEEP_MS, records
// "ended" and ends with TAVRIN_TEST_DEVCON_EXIT.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
  std::string args;
  for (int k = 1; k < argc; ++k) {
    if (k > 1) args += ' ';
    args += argv[k];
  }
  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
  const std::string logPath = Environment("TAVRIN_TEST_DEVCON_LOG");
  const auto record = [&logPath](const std::string& line) {
    if (FILE* log = std::fopen(logPath.c_str(), "ab")) {
      std::fprintf(log, "%s\n", line.c_str());
      std::fclose(log);
    }
  };
  record("args=" + args);
  record("show=" + std::to_string(show));
  Sleep(static_cast<DWORD>(std::atoi(Environment("TAVRIN_TEST_DEVCON_SLEEP_MS").c_str())));
  record("ended");
  return std::atoi(Environment("TAVRIN_TEST_DEVCON_EXIT").c_str());
}
