#include "wine_world.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "unique_fd.h"
#include "world_error.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// Files at least this large are shared with the template as hard links: the
// platform's libraries, which no run writes. Smaller ones are copied.
constexpr std::uintmax_t kSharedFileSize = 256 * 1024;

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) variables.emplace_back(*variable);
  return variables;
}

// Makes the template once; concurrent runs wait for the one that makes it.
void EnsureTemplate(const WineSetup& setup) {
  const std::string lockPath = setup.templatePrefix + ".lock";
  fs::create_directories(fs::path(setup.templatePrefix).parent_path());
  const UniqueFd lock(open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock.IsOpen() || flock(lock.Get(), LOCK_EX) != 0) ThrowSystemError("cannot lock " + lockPath);
  if (fs::exists(setup.templatePrefix + "/system.reg")) return;
  if (RunAndWait({setup.prepareScript, setup.templatePrefix}, CurrentEnvironment()) != 0) {
    throw WorldError("cannot make the template Wine prefix with " + setup.prepareScript);
  }
}

// The template's registry and files, the large ones linked; dosdevices with
// C: and Z: only.
std::string CopyPrefix(const std::string& from, const std::string& root) {
  const std::string prefix = root + "/prefix";
  std::error_code error;
  for (auto entry = fs::recursive_directory_iterator(from, error); !error && entry != fs::end(entry);
       entry.increment(error)) {
    const fs::path relative = fs::relative(entry->path(), from);
    if (*relative.begin() == "dosdevices") continue;
    const fs::path target = prefix / relative;
    if (entry->is_symlink()) {
      fs::copy_symlink(entry->path(), target, error);
    } else if (entry->is_directory()) {
      fs::create_directories(target, error);
    } else if (entry->file_size() >= kSharedFileSize) {
      fs::create_hard_link(entry->path(), target, error);
    } else {
      fs::copy_file(entry->path(), target, error);
    }
  }
  if (error) throw WorldError("cannot copy the template Wine prefix " + from + ": " + error.message());
  fs::create_directories(prefix + "/dosdevices");
  if (symlink("../drive_c", (prefix + "/dosdevices/c:").c_str()) != 0 ||
      symlink("/", (prefix + "/dosdevices/z:").c_str()) != 0) {
    ThrowSystemError("cannot link the prefix's drives");
  }
  return prefix;
}

// Lays out the run's folders before any member that lives in them.
const std::string& PrepareLayout(const WineSetup& setup, const TemporaryDirectory& root) {
  EnsureTemplate(setup);
  CopyPrefix(setup.templatePrefix, root.Path());
  if (mkdir((root.Path() + "/bin").c_str(), 0700) != 0) ThrowSystemError("cannot make " + root.Path() + "/bin");
  return root.Path();
}

// The folder as Wine names it through drive Z:.
std::string WindowsPath(const std::string& path) {
  std::string windows = "Z:" + path;
  for (char& c : windows) c = c == '/' ? '\\' : c;
  return windows;
}

}  // namespace

WineWorld::WineWorld(const WineSetup& setup)
    : m_agentProgram(setup.agentProgram),
      m_root("portsetup-scenario-wine"),
      m_prefix(PrepareLayout(setup, m_root) + "/prefix"),
      m_ports(m_prefix + "/dosdevices"),
      m_device(m_prefix + "/dosdevices/tavrin"),
      m_devcon(m_root.Path() + "/bin", m_root.Path() + "/bin/devcon.log", setup.devconProgram) {}

WineWorld::~WineWorld() {
  // Every process of the prefix ends with its server; the display and the
  // folders go after.
  RunAndWait({"wineserver", "-k"}, Environment("C.UTF-8"));
  RunAndWait({"wineserver", "-w"}, Environment("C.UTF-8"));
}

std::vector<std::string> WineWorld::AgentCommand() const {
  std::vector<std::string> command;
  // Root opens a terminal even in exclusive mode; without CAP_SYS_ADMIN Wine
  // finds a port that another program holds busy, as the platform does.
  if (geteuid() == 0) command = {"setpriv", "--inh-caps=-sys_admin", "--bounding-set=-sys_admin"};
  command.insert(command.end(), {"wine", m_agentProgram});
  return command;
}

std::vector<std::string> WineWorld::Environment(const std::string& locale) const {
  std::vector<std::string> variables;
  for (const std::string& variable : CurrentEnvironment()) {
    const std::string name = variable.substr(0, variable.find('='));
    if (name.rfind("WINE", 0) == 0 || name.rfind("LC_", 0) == 0 || name == "LANG" || name == "LANGUAGE" ||
        name == "DISPLAY" || name == "WAYLAND_DISPLAY") {
      continue;
    }
    variables.push_back(variable);
  }
  variables.insert(variables.end(), {"WINEPREFIX=" + m_prefix, "WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=",
                                     "DISPLAY=" + m_display.Name(), "LC_ALL=" + locale,
                                     "WINEPATH=" + WindowsPath(m_root.Path() + "/bin")});
  return variables;
}

}  // namespace scenario
