// The platform's text order for sorted list boxes: case-insensitive word
// order. Hyphens and apostrophes count only to break ties (where they stand,
// not how the rest is written); other punctuation sorts before digits and
// digits before letters. Texts that differ only in case are equal.
#pragma once

#include <string_view>

namespace framework {

// Negative when `a` goes before `b`, zero when they are equal, else positive.
int CompareListText(std::string_view a, std::string_view b);

}  // namespace framework
