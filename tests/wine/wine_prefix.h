// The Linux side of the Wine tests: a Wine prefix of the test program's own,
// copied beside the one the wine_prefix test makes once per run
// (TAVRIN_WINE_TEMPLATE) and removed at its end, with its wineserver running
// while the object lives; and the Windows programs of the windows-x64 build
// (TAVRIN_WINDOWS_BUILD).
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace wine_test {

struct Outcome {
  int status = -1;  // exit status, or -1 when the run was killed or did not start
  std::string out;
  std::string err;
};

class WinePrefix {
 public:
  WinePrefix();
  ~WinePrefix();
  WinePrefix(const WinePrefix&) = delete;
  WinePrefix& operator=(const WinePrefix&) = delete;

  // The prefix; its folder holds the runs' output files too.
  const std::string& path() const { return m_path; }
  // dosdevices/name as a symbolic link to target, replacing what was there.
  void Link(const std::string& name, const std::string& target) const;
  void Unlink(const std::string& name) const;

  // The environment of a Wine run in the prefix: this process's, without
  // Wine's settings, the language and the display, then the prefix's own
  // (WINEPREFIX, no debug output, no .NET or HTML engine to install) and
  // `settings` ("NAME=value", each replacing one of the same name).
  std::vector<std::string> Environment(const std::vector<std::string>& settings = {}) const;
  // Runs `wine command...` in that environment; killed after the limit.
  Outcome Run(const std::vector<std::string>& command, const std::vector<std::string>& settings = {},
              std::chrono::seconds limit = std::chrono::seconds(120)) const;

 private:
  std::string m_directory;
  std::string m_path;
};

// A program of the windows-x64 build, by its path in the build tree.
std::string WindowsProgram(const std::string& relative);
// The Windows name of a Linux path: the path on drive Z:.
std::string WindowsPath(const std::string& path);
// Copies the test devcon.exe (windows/test_devcon.cpp) into folder, made if
// missing; the environment entry that puts folder on Wine's path.
std::string DevconOnPath(const std::string& folder);
// One line per element.
std::vector<std::string> Lines(const std::string& text);

}  // namespace wine_test
