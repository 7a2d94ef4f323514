// Which backend can show the dialog on this machine.
#pragma once

#include <functional>

namespace framework {

enum class SystemBackend {
  Qt,        // a display can be had: X11, Wayland, or a Qt platform named explicitly
  Terminal,  // no display, but standard input and output are a usable terminal
  None,      // neither
};

// `variable` reads one environment variable (null when unset); `qtBuilt` says
// whether the build has the Qt backend, `terminalUsable` whether the terminal
// backend can run on standard input and output.
SystemBackend ChooseSystemBackend(const std::function<const char*(const char*)>& variable, bool qtBuilt,
                                  bool terminalUsable);

}  // namespace framework
