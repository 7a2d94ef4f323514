#include "tools/tavrind/ports_report.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "model/port_setting.h"
#include "tools/tavrind/pid_file.h"
#include "tools/tavrind/watched_ports.h"

namespace tavrind {
namespace {

using FileIdentity = std::pair<dev_t, ino_t>;

// The files a process has open; nothing when its descriptors cannot be seen
// (another user's process), with errno telling why.
std::optional<std::set<FileIdentity>> OpenFilesOf(pid_t pid) {
  const std::string directory = "/proc/" + std::to_string(pid) + "/fd";
  DIR* listing = opendir(directory.c_str());
  if (listing == nullptr) return std::nullopt;
  std::set<FileIdentity> files;
  while (const dirent* entry = readdir(listing)) {
    struct stat file {};
    if (entry->d_name[0] != '.' && stat((directory + "/" + entry->d_name).c_str(), &file) == 0)
      files.emplace(file.st_dev, file.st_ino);
  }
  closedir(listing);
  return files;
}

struct PortRow {
  std::string name;
  std::string device;
  std::string state;
};

// What the entry dosdevices/comN stands for: the link's target, marked when
// nothing is there; the entry itself when it is no link.
std::string DeviceOf(const std::string& entry, bool reachable) {
  std::error_code notLink;
  const std::filesystem::path target = std::filesystem::read_symlink(entry, notLink);
  return (notLink ? entry : target.string()) + (reachable ? "" : " (missing)");
}

}  // namespace

int PrintPorts(const std::string& prefix, std::ostream& out, std::ostream& err) {
  const std::optional<pid_t> driver = LiveDriverPid(PidFilePath(prefix));
  std::optional<std::set<FileIdentity>> held;
  if (!driver) {
    out << "no driver runs for " << prefix << "\n";
  } else if (held = OpenFilesOf(*driver); !held) {
    const int why = errno;  // before the output, which may set it
    out << "the driver of " << prefix << " runs as process " << *driver << "; which ports it holds cannot be seen ("
        << std::strerror(why) << ")\n";
  } else {
    out << "the driver of " << prefix << " runs as process " << *driver << "\n";
  }
  const std::optional<std::vector<WatchedPort>> watched = ReadWatchedPorts();
  if (!watched) err << "tavrind: cannot read the driver's service key in " << prefix << "/hklm.reg\n";

  std::vector<PortRow> rows;
  for (int index = 0; index < model::kPortCount; ++index) {
    const std::string name = model::PortName(index);
    const std::string entry = prefix + "/dosdevices/com" + std::to_string(index + 1);
    struct stat link {};
    struct stat node {};
    const bool present = lstat(entry.c_str(), &link) == 0;
    const bool reachable = present && stat(entry.c_str(), &node) == 0;
    const bool isWatched = watched && std::any_of(watched->begin(), watched->end(),
                                                  [&name](const WatchedPort& port) { return port.name == name; });
    if (!present && !isWatched) continue;
    std::vector<std::string> state;
    if (watched) state.push_back(isWatched ? "watched" : "not watched");
    if (!driver || held) {
      const bool holds = held && reachable && held->contains({node.st_dev, node.st_ino});
      state.push_back(holds ? "held by the driver" : "not held");
    }
    std::string stateText;
    for (const std::string& part : state) stateText += (stateText.empty() ? "" : ", ") + part;
    rows.push_back({name, present ? DeviceOf(entry, reachable) : "(no device)", stateText});
  }

  if (rows.empty()) out << "no serial port in " << prefix << "/dosdevices, and none watched\n";
  std::size_t deviceWidth = 0;
  for (const PortRow& row : rows) deviceWidth = std::max(deviceWidth, row.device.size());
  for (const PortRow& row : rows) {
    out << row.name << std::string(8 - row.name.size(), ' ') << row.device
        << std::string(deviceWidth - row.device.size() + 2, ' ') << row.state << "\n";
  }
  return watched ? 0 : 1;
}

}  // namespace tavrind
