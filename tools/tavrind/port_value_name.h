// The service key's values that hold ports' settings words. Registry names
// compare without regard to case, so "com3" is the value of port COM3.
#pragma once

#include <optional>
#include <string_view>

namespace tavrind {

// "COM" and digits, in any case: a name meant for a port, in the port-name
// table or not ("COM226", "com01").
bool LooksLikePortName(std::string_view valueName);

// The index in the port-name table of the port the value belongs to.
std::optional<int> PortIndexOfValue(std::string_view valueName);

}  // namespace tavrind
