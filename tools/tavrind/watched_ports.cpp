#include "tools/tavrind/watched_ports.h"

#include <windows.h>

#include "model/port_setting.h"
#include "tools/tavrind/service_key.h"

namespace tavrind {

std::optional<std::vector<WatchedPort>> ReadWatchedPorts() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  std::vector<WatchedPort> watched;
  for (int index = 0; index < model::kPortCount; ++index) {
    const char* name = model::PortName(index);
    DWORD word = 0;
    DWORD size = sizeof word;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size) != ERROR_SUCCESS)
      word = 0;
    if ((word & model::kWatched) != 0) watched.push_back({name, word});
  }
  RegCloseKey(key);
  return watched;
}

}  // namespace tavrind
