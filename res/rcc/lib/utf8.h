// Checks of UTF-8 text, so that the tables never carry a broken character.
#pragma once

#include <string_view>

namespace rcc {

bool IsAscii(std::string_view text);
// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates
// or code points beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace rcc
