// Which backend can show the dialog on this machine.
#pragma once

#include <functional>

namespace framework::qt {

enum class SystemBackend {
  Qt,    // a display can be had: X11, Wayland, or a Qt platform named explicitly
  None,  // no display
};

// `variable` reads one environment variable (null when unset).
SystemBackend ChooseSystemBackend(const std::function<const char*(const char*)>& variable);

}  // namespace framework::qt
