#include "framework/linux/startup/system_backend.h"

namespace framework {

SystemBackend ChooseSystemBackend(const std::function<const char*(const char*)>& variable, bool qtBuilt,
                                  bool terminalUsable) {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = variable(name);
    if (qtBuilt && value != nullptr && *value != '\0') return SystemBackend::Qt;
  }
  return terminalUsable ? SystemBackend::Terminal : SystemBackend::None;
}

}  // namespace framework
