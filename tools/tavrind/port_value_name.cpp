#include "tools/tavrind/port_value_name.h"

#include <algorithm>
#include <string>

#include "model/port_setting.h"
#include "winapi/hive.h"

namespace tavrind {

bool LooksLikePortName(std::string_view valueName) {
  return valueName.size() > 3 && winapi::SameRegistryName(valueName.substr(0, 3), "COM") &&
         std::all_of(valueName.begin() + 3, valueName.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> PortIndexOfValue(std::string_view valueName) {
  if (!LooksLikePortName(valueName)) return std::nullopt;
  return model::PortIndex("COM" + std::string(valueName.substr(3)));
}

}  // namespace tavrind
