// The number at the start of a field, read the way atoi reads it.
#include <climits>
#include <cstdint>

#include "model/watch_entry.h"

namespace model {
namespace {

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

// Leading white space, an optional sign, then the digits up to the first other
// character; 0 without a digit. A number outside int saturates at INT_MAX or
// INT_MIN instead of overflowing, however many digits follow.
int LeadingInteger(std::string_view field) {
  std::size_t i = 0;
  while (i < field.size() && IsCSpace(field[i])) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;  // |INT_MIN|
  std::int64_t magnitude = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (field[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int>(-magnitude);
  return static_cast<int>(magnitude < kLimit ? magnitude : INT_MAX);
}

}  // namespace model
