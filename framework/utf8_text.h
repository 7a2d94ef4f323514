// Cutting UTF-8 text to a number of bytes without splitting a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace framework {

// The bytes of the longest beginning of `text` that is at most `capacity`
// bytes long and ends on a character boundary.
std::size_t Utf8FittingLength(std::string_view text, std::size_t capacity);

}  // namespace framework
