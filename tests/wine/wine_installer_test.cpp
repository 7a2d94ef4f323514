// The Windows Installer package of the 64-bit build under Wine, as a person
// installs and removes it: installed silently with msiexec, then a second
// build of the same version over it (the one signed by the package test),
// which replaces it; its files in Program Files, its Start-menu shortcut, one
// uninstall entry; the installed program started with the driver stood in
// for as the Windows readme says; removed with the uninstall entry's command,
// after which nothing of it is left.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "base/ascii.h"
#include "tests/wine/inspector_report.h"
#include "tests/wine/virtual_display.h"
#include "tests/wine/wine_prefix.h"

namespace wine_test {
namespace {

namespace fs = std::filesystem;

constexpr char kUninstallKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kInstalledProgram[] = "C:\\Program Files\\TAVRIN port setup\\portsetup.exe";

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string Package(const std::string& folder) {
  return folder + "/portsetup-" + Setting("TAVRIN_VERSION") + "-win64.msi";
}

// The values of each uninstall entry named "TAVRIN port setup", by name.
std::vector<std::map<std::string, std::string>> UninstallEntries(const std::string& query) {
  std::vector<std::map<std::string, std::string>> entries;
  std::map<std::string, std::string> values;
  const auto flush = [&] {
    if (values["DisplayName"] == "TAVRIN port setup") entries.push_back(values);
    values.clear();
  };
  for (std::string line : Lines(query)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("HKEY_")) {
      flush();
      continue;
    }
    std::istringstream words(line);
    std::string name, type;
    if (!(words >> name >> type) || !type.starts_with("REG_")) continue;
    std::string value;
    std::getline(words >> std::ws, value);
    values[name] = value;
  }
  flush();
  return entries;
}

// Files and folders below drive C: whose names speak of the program.
std::vector<std::string> LeftBehind(const std::string& prefix) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(prefix + "/drive_c")) {
    const std::string name = base::LowerAscii(entry.path().filename().string());
    if (name.find("tavrin") != std::string::npos || name.find("portsetup") != std::string::npos) {
      found.push_back(entry.path().string());
    }
  }
  return found;
}

std::vector<std::string> Shortcuts(const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& path : LeftBehind(prefix)) {
    if (path.ends_with("/Start Menu/Programs/TAVRIN port setup.lnk")) found.push_back(path);
  }
  return found;
}

TEST(WineInstallerTest, InstallsSilentlyStartsAndUninstallsLeavingNothing) {
  VirtualDisplay display;
  WinePrefix prefix;
  // Wine's menu builder would copy the shortcut into this machine's own menu.
  const std::vector<std::string> settings = {"DISPLAY=" + display.Name(),
                                             "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d"};
  const auto run = [&](const std::vector<std::string>& command) { return prefix.Run(command, settings); };

  for (const std::string& folder :
       {Setting("TAVRIN_WINDOWS_PACKAGES"), Setting("TAVRIN_WINDOWS_PACKAGES") + "-signed"}) {
    const Outcome installed = run({"msiexec", "/i", WindowsPath(Package(folder)), "/qn"});
    ASSERT_EQ(installed.status, 0) << folder << installed.out << installed.err;
  }

  const std::string programFiles = prefix.path() + "/drive_c/Program Files/TAVRIN port setup";
  EXPECT_TRUE(fs::is_regular_file(programFiles + "/portsetup.exe"));
  EXPECT_TRUE(fs::is_regular_file(programFiles + "/README.txt"));
  EXPECT_FALSE(fs::exists(prefix.path() + "/drive_c/Program Files (x86)/TAVRIN port setup"));
  const std::vector<std::string> shortcuts = Shortcuts(prefix.path());
  ASSERT_EQ(shortcuts.size(), 1u) << "Start-menu shortcuts";
  std::ifstream link(shortcuts[0], std::ios::binary);
  const std::string target((std::istreambuf_iterator<char>(link)), std::istreambuf_iterator<char>());
  EXPECT_NE(target.find(kInstalledProgram), std::string::npos) << "the shortcut does not start the installed program";

  const Outcome query = run({"reg", "query", kUninstallKey, "/s"});
  const auto entries = UninstallEntries(query.out);
  ASSERT_EQ(entries.size(), 1u) << "the second build did not replace the first:\n" << query.out;
  EXPECT_EQ(entries[0].at("DisplayVersion"), Setting("TAVRIN_VERSION"));
  const std::string uninstall = entries[0].at("UninstallString");
  ASSERT_TRUE(uninstall.starts_with("MsiExec.exe /X{")) << uninstall;

  // The driver stood in for: its control device a device that takes every
  // write, its service key present.
  prefix.Link("tavrin", "/dev/null");
  ASSERT_EQ(run({"reg", "add", "HKLM\\System\\CurrentControlSet\\Services\\Tavrin", "/f"}).status, 0);
  const InspectorReport started = ParseInspectorReport(
      run({WindowsProgram("tests/wine/dialog-inspector.exe"), "launch", kInstalledProgram, "post", "1", "wait-exit"})
          .out);
  ASSERT_EQ(started.windows.size(), 1u) << started.error;
  EXPECT_EQ(started.windows[0].caption, "TAVRIN") << "the installed program did not show its dialog";
  EXPECT_EQ(started.exitCode, 0);

  const Outcome removed = run({"msiexec", uninstall.substr(uninstall.find(' ') + 1), "/qn"});
  ASSERT_EQ(removed.status, 0) << removed.out << removed.err;
  EXPECT_TRUE(UninstallEntries(run({"reg", "query", kUninstallKey, "/s"}).out).empty());
  EXPECT_EQ(LeftBehind(prefix.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace wine_test
