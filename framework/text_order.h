// The platform's text order for sorted list boxes: case-insensitive word
// order. Hyphens and apostrophes count only to break ties; other punctuation
// sorts before digits and digits before letters.
#pragma once

#include <string_view>

namespace framework {

// Negative when `a` goes before `b`, zero when they are equal, else positive.
int CompareListText(std::string_view a, std::string_view b);

}  // namespace framework
