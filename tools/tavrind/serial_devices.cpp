#include "tools/tavrind/serial_devices.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace tavrind {
namespace {

constexpr std::array<std::string_view, 3> kGroupsInComOrder = {"ttyS", "ttyUSB", "ttyACM"};

// The number after the group's stem, or -1 when the name is not "stem" and
// digits (the digits are at most 9, so the number fits).
long NumberAfter(std::string_view name, std::string_view stem) {
  if (!name.starts_with(stem) || name.size() == stem.size() || name.size() - stem.size() > 9) return -1;
  long number = 0;
  for (char c : name.substr(stem.size())) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace

std::vector<std::string> SerialDevicesInComOrder(const std::string& deviceDirectory) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(deviceDirectory, error))
    names.push_back(entry.path().filename().string());

  std::vector<std::string> ordered;
  for (std::string_view stem : kGroupsInComOrder) {
    std::vector<std::pair<long, std::string>> group;
    for (const std::string& name : names) {
      if (const long number = NumberAfter(name, stem); number >= 0) group.emplace_back(number, name);
    }
    std::sort(group.begin(), group.end());
    for (const auto& [number, name] : group) ordered.push_back(deviceDirectory + "/" + name);
  }
  return ordered;
}

}  // namespace tavrind
