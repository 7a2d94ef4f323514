#include "framework/linux/text_order.h"

namespace framework {
namespace {

bool IsIgnorable(char c) { return c == '-' || c == '\''; }

// Punctuation and blanks, then digits, then letters without case, then every
// byte of a multi-byte character; within a class, by value.
int Weight(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= '0' && byte <= '9') return 0x100 + byte;
  if (byte >= 'A' && byte <= 'Z') return 0x200 + (byte - 'A' + 'a');
  if (byte >= 'a' && byte <= 'z') return 0x200 + byte;
  if (byte >= 0x80) return 0x300 + byte;
  return byte;
}

// The words without hyphens and apostrophes.
int CompareWords(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < a.size() && IsIgnorable(a[i])) ++i;
    while (j < b.size() && IsIgnorable(b[j])) ++j;
    if (i == a.size() || j == b.size()) return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
    const int difference = Weight(a[i]) - Weight(b[j]);
    if (difference != 0) return difference;
    ++i;
    ++j;
  }
}

// Equal words: the hyphens and apostrophes decide, one pair at a time. Fewer
// of them goes first, a later one before an earlier one, an apostrophe before
// a hyphen in the same place. Case never does.
int CompareIgnorables(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < a.size() && !IsIgnorable(a[i])) ++i;
    while (j < b.size() && !IsIgnorable(b[j])) ++j;
    if (i == a.size() || j == b.size()) return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
    if (i != j) return i > j ? -1 : 1;
    if (a[i] != b[j]) return a[i] == '\'' ? -1 : 1;
    ++i;
    ++j;
  }
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
  const int words = CompareWords(a, b);
  return words != 0 ? words : CompareIgnorables(a, b);
}

}  // namespace framework
