// The device namespace: "\\.\NAME" names the entry dosdevices/name (in lower
// case) under the prefix. Internal to the stand-in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winapi {

struct DeviceName {
  std::string name;       // lower case, e.g. "com3" or "tavrin"
  std::string entryPath;  // <prefix>/dosdevices/<name>
};

// Nothing for any path of another form, or a name that could leave the
// namespace directory ("..", separators).
std::optional<DeviceName> ParseDevicePath(const char* path);

// "com" followed by digits: a name that must stand for a serial port.
bool IsSerialPortName(std::string_view lowerCaseName);

}  // namespace winapi
