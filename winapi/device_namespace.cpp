#include "device_namespace.h"

#include <algorithm>
#include <cctype>

#include "stand_in.h"

namespace winapi {
namespace {

constexpr std::string_view kNamespacePrefix = "\\\\.\\";

bool IsAllowedNameCharacter(char c) { return c != '/' && c != '\\' && c != ':'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<DeviceName> ParseDevicePath(const char* path) {
  if (path == nullptr) return std::nullopt;
  const std::string_view text(path);
  if (!text.starts_with(kNamespacePrefix)) return std::nullopt;
  std::string name(text.substr(kNamespacePrefix.size()));
  if (name.empty() || name == "." || name == ".." || !std::all_of(name.begin(), name.end(), IsAllowedNameCharacter))
    return std::nullopt;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  std::string entryPath = Prefix() + "/dosdevices/" + name;
  return DeviceName{std::move(name), std::move(entryPath)};
}

bool IsSerialPortName(std::string_view lowerCaseName) {
  constexpr std::string_view kSerialPrefix = "com";
  if (!lowerCaseName.starts_with(kSerialPrefix)) return false;
  const std::string_view number = lowerCaseName.substr(kSerialPrefix.size());
  return !number.empty() && std::all_of(number.begin(), number.end(), IsDigit);
}

}  // namespace winapi
