// The platform's symbolic constants that resource scripts may use, with the
// platform's own values, and the platform headers that define them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rcc {

std::optional<std::int64_t> PlatformConstant(std::string_view name);

// Whether #include <name> names a platform header; its constants are the ones
// above, so the compiler reads no file for it.
bool IsPlatformHeader(std::string_view name);

}  // namespace rcc
