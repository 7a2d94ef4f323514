#include "tools/tavrind/install.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "model/port_setting.h"
#include "tools/tavrind/serial_devices.h"
#include "tools/tavrind/service_key_setup.h"

namespace tavrind {
namespace {

void LinkSerialPorts(const std::string& dosdevices, const std::string& deviceDirectory, std::ostream& out) {
  const std::vector<std::string> devices = SerialDevicesInComOrder(deviceDirectory);
  for (std::size_t index = 0; index < devices.size() && index < static_cast<std::size_t>(model::kPortCount); ++index) {
    const std::string entry = dosdevices + "/com" + std::to_string(index + 1);
    struct stat existing {};
    if (lstat(entry.c_str(), &existing) == 0) {
      out << "kept " << entry << " as it is\n";
    } else if (symlink(devices[index].c_str(), entry.c_str()) == 0) {
      out << entry << " -> " << devices[index] << "\n";
    } else {
      out << "cannot link " << entry << ": " << std::strerror(errno) << "\n";
    }
  }
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
  LinkSerialPorts(dosdevices, deviceDirectory, out);
  return 0;
}

}  // namespace tavrind
