#include "tests/wine/wine_prefix.h"

#include <fcntl.h>
#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "tests/support/file_text.h"
#include "tests/wine/linux_programs.h"
#include "winapi/unique_fd.h"

namespace wine_test {
namespace {

namespace fs = std::filesystem;

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') throw std::runtime_error(std::string(name) + " is not set");
  return value;
}

// Runs command with exactly `environment`; standard output and error go to files.
Outcome Spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment,
              const std::string& outputStem, std::chrono::seconds limit) {
  const std::string outPath = outputStem + ".out";
  const std::string errPath = outputStem + ".err";
  Outcome outcome;
  {
    const winapi::UniqueFd out(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    const winapi::UniqueFd err(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    const pid_t pid = StartProcess(command, environment, -1, out.Get(), err.Get());
    if (pid < 0) {
      outcome.err = "cannot start " + command[0];
      return outcome;
    }
    if (const std::optional<int> status = WaitForProcess(pid, limit)) {
      outcome.status = *status;
    } else {
      kill(pid, SIGKILL);
      WaitForProcess(pid);
    }
  }
  outcome.out = test_support::FileText(outPath);
  outcome.err = test_support::FileText(errPath);
  return outcome;
}

// What of this process's environment a Wine run leaves out: Wine's own
// settings, the language and the display, which each run sets itself.
bool LeftOut(const std::string& variable) {
  const std::string name = variable.substr(0, variable.find('='));
  return name.starts_with("WINE") || name.starts_with("LC_") || name == "LANG" || name == "LANGUAGE" ||
         name == "DISPLAY" || name == "WAYLAND_DISPLAY";
}

// A fresh folder beside the template: hard links need the same file system.
std::string FolderBeside(const std::string& m_template) {
  std::string pattern = m_template + "-copy.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder beside " + m_template);
  return pattern;
}

}  // namespace

WinePrefix::WinePrefix() : m_directory(FolderBeside(Setting("TAVRIN_WINE_TEMPLATE"))), m_path(m_directory + "/prefix") {
  // Hard links share the system's files with the template; the registry, the
  // one thing Wine writes back, gets copies of its own.
  fs::copy(Setting("TAVRIN_WINE_TEMPLATE"), m_path,
           fs::copy_options::recursive | fs::copy_options::create_hard_links | fs::copy_options::copy_symlinks);
  for (const char* hive : {"system.reg", "user.reg", "userdef.reg"}) {
    const fs::path file = fs::path(m_path) / hive;
    const fs::path copy = file.string() + ".copy";
    fs::copy_file(file, copy);
    fs::rename(copy, file);
  }
  Spawn({"wineserver", "--persistent"}, Environment(), m_directory + "/wineserver", std::chrono::seconds(60));
}

WinePrefix::~WinePrefix() {
  Spawn({"wineserver", "--kill"}, Environment(), m_directory + "/wineserver", std::chrono::seconds(60));
  Spawn({"wineserver", "--wait"}, Environment(), m_directory + "/wineserver", std::chrono::seconds(60));
  std::error_code ignored;
  fs::remove_all(m_directory, ignored);
}

void WinePrefix::Link(const std::string& name, const std::string& target) const {
  Unlink(name);
  fs::create_symlink(target, fs::path(m_path) / "dosdevices" / name);
}

void WinePrefix::Unlink(const std::string& name) const {
  std::error_code ignored;
  fs::remove(fs::path(m_path) / "dosdevices" / name, ignored);
}

std::vector<std::string> WinePrefix::Environment(const std::vector<std::string>& settings) const {
  std::vector<std::string> variables = CurrentEnvironment();
  std::erase_if(variables, LeftOut);
  variables.insert(variables.end(), {"WINEPREFIX=" + m_path, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml="});
  for (const std::string& setting : settings) {
    const std::string name = setting.substr(0, setting.find('=') + 1);
    std::erase_if(variables, [&name](const std::string& variable) { return variable.starts_with(name); });
    variables.push_back(setting);
  }
  return variables;
}

Outcome WinePrefix::Run(const std::vector<std::string>& command, const std::vector<std::string>& settings,
                        std::chrono::seconds limit) const {
  std::vector<std::string> wine = {"wine"};
  wine.insert(wine.end(), command.begin(), command.end());
  return Spawn(wine, Environment(settings), m_directory + "/run", limit);
}

std::string WindowsProgram(const std::string& relative) { return Setting("TAVRIN_WINDOWS_BUILD") + "/" + relative; }

std::string WindowsPath(const std::string& path) {
  std::string windows = "Z:" + fs::absolute(path).string();
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
}

std::string DevconOnPath(const std::string& folder) {
  fs::create_directories(folder);
  fs::copy_file(WindowsProgram("tests/wine/devcon/devcon.exe"), fs::path(folder) / "devcon.exe",
                fs::copy_options::overwrite_existing);
  return "WINEPATH=" + WindowsPath(folder);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace wine_test
