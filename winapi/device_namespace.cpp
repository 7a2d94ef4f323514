#include "winapi/device_namespace.h"

#include <algorithm>

#include "base/ascii.h"
#include "winapi/stand_in.h"

namespace winapi {
namespace {

constexpr std::string_view kNamespacePrefix = "\\\\.\\";
constexpr std::string_view kNamespaceDirectory = "/dosdevices/";

bool IsAllowedNameCharacter(char c) { return c != '/' && c != '\\' && c != ':'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Start-up parses 225 names: the entry's path is built in one allocation, and
// the name is its last part.
std::optional<DeviceName> ParseDevicePath(const char* path) {
  if (path == nullptr) return std::nullopt;
  const std::string_view text(path);
  if (!text.starts_with(kNamespacePrefix)) return std::nullopt;
  const std::string_view name = text.substr(kNamespacePrefix.size());
  if (name.empty() || name == "." || name == ".." || !std::all_of(name.begin(), name.end(), IsAllowedNameCharacter))
    return std::nullopt;
  DeviceName device;
  const std::string& prefix = Prefix();
  device.entryPath.reserve(prefix.size() + kNamespaceDirectory.size() + name.size());
  device.entryPath.append(prefix).append(kNamespaceDirectory);
  for (const char c : name) device.entryPath.push_back(base::ToLowerAscii(c));
  device.name.assign(device.entryPath, device.entryPath.size() - name.size());
  return device;
}

bool IsSerialPortName(std::string_view lowerCaseName) {
  constexpr std::string_view kSerialPrefix = "com";
  if (!lowerCaseName.starts_with(kSerialPrefix)) return false;
  const std::string_view number = lowerCaseName.substr(kSerialPrefix.size());
  return !number.empty() && std::all_of(number.begin(), number.end(), IsDigit);
}

}  // namespace winapi
