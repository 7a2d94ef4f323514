#include "tools/tavrind/install.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "model/port_setting.h"
#include "tools/tavrind/serial_devices.h"
#include "tools/tavrind/service_key_setup.h"

namespace tavrind {
namespace {

// The entries dosdevices/com1 to com225: what each links to ("" for an entry
// that is no link), or nothing where the number is free.
class PortEntries {
 public:
  explicit PortEntries(std::string dosdevices) : m_dosdevices(std::move(dosdevices)) {
    for (int number = 1; number <= model::kPortCount; ++number) {
      struct stat entry {};
      if (lstat(Path(number).c_str(), &entry) != 0) continue;
      std::error_code notLink;
      m_targets[number - 1] = std::filesystem::read_symlink(Path(number), notLink).string();
    }
  }

  std::string Path(int number) const { return m_dosdevices + "/com" + std::to_string(number); }
  bool IsFree(int number) const { return !m_targets[number - 1]; }
  const std::string& Target(int number) const { return *m_targets[number - 1]; }

  // The number whose entry stands for the device: it links to the device's
  // path, or to the same file by another path.
  std::optional<int> NumberOf(const std::string& device) const {
    struct stat wanted {};
    const bool known = stat(device.c_str(), &wanted) == 0;
    for (int number = 1; number <= model::kPortCount; ++number) {
      if (IsFree(number)) continue;
      struct stat linked {};
      if (Target(number) == device || (known && stat(Path(number).c_str(), &linked) == 0 &&
                                       linked.st_dev == wanted.st_dev && linked.st_ino == wanted.st_ino))
        return number;
    }
    return std::nullopt;
  }

  std::optional<int> LowestFree() const {
    for (int number = 1; number <= model::kPortCount; ++number)
      if (IsFree(number)) return number;
    return std::nullopt;
  }

  // False with the reason on `out` when the link cannot be made.
  bool Link(int number, const std::string& device, std::ostream& out) {
    if (symlink(device.c_str(), Path(number).c_str()) != 0) {
      out << "cannot link " << Path(number) << " to " << device << ": " << std::strerror(errno) << "\n";
      return false;
    }
    m_targets[number - 1] = device;
    out << Path(number) << " -> " << device << "\n";
    return true;
  }

 private:
  std::string m_dosdevices;
  std::vector<std::optional<std::string>> m_targets = std::vector<std::optional<std::string>>(model::kPortCount);
};

// Every device gets a port, in COM order: the one that already stands for
// it, else its number in COM order when that is free, else the lowest free
// number. Says why of each device that gets none. False when some device got
// none.
bool LinkSerialPorts(const std::string& dosdevices, const std::string& deviceDirectory, std::ostream& out) {
  PortEntries entries(dosdevices);
  const std::vector<std::string> devices = SerialDevicesInComOrder(deviceDirectory);
  bool allLinked = true;
  for (std::size_t index = 0; index < devices.size(); ++index) {
    const std::string& device = devices[index];
    const int number = static_cast<int>(index) + 1;
    if (const std::optional<int> existing = entries.NumberOf(device)) {
      out << "kept " << entries.Path(*existing) << " -> " << device << "\n";
      continue;
    }
    if (number <= model::kPortCount && entries.IsFree(number)) {
      allLinked = entries.Link(number, device, out) && allLinked;
      continue;
    }
    const std::string taken =
        number > model::kPortCount
            ? "COM" + std::to_string(number) + " is beyond COM" + std::to_string(model::kPortCount)
            : entries.Path(number) + " is taken by " +
                  (entries.Target(number).empty() ? "an entry that is no link" : entries.Target(number));
    const std::optional<int> free = entries.LowestFree();
    if (!free) {
      out << "no port for " << device << ": " << taken << ", and COM1 to COM" << model::kPortCount
          << " are all taken\n";
      allLinked = false;
      continue;
    }
    out << taken << "; ";
    allLinked = entries.Link(*free, device, out) && allLinked;
  }
  return allLinked;
}

}  // namespace

int Install(const std::string& prefix, const std::string& deviceDirectory, std::ostream& out) {
  const std::string dosdevices = prefix + "/dosdevices";
  std::error_code error;
  std::filesystem::create_directories(dosdevices, error);
  if (error) {
    out << "cannot create " << dosdevices << ": " << error.message() << "\n";
    return 1;
  }
  bool added = false;
  const std::string hivePath = prefix + "/hklm.reg";
  if (const std::string failure = EnsureServiceKey(hivePath, added); !failure.empty()) {
    out << failure << "\n";
    return 1;
  }
  out << (added ? "added the service key to " : "the service key is already in ") << hivePath << "\n";
  // Links name the devices by absolute paths: a relative one would be taken
  // from dosdevices/.
  std::string devices = std::filesystem::absolute(deviceDirectory, error).lexically_normal().string();
  while (devices.size() > 1 && devices.back() == '/') devices.pop_back();
  return LinkSerialPorts(dosdevices, error ? deviceDirectory : devices, out) ? 0 : 1;
}

}  // namespace tavrind
