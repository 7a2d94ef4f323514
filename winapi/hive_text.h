// Character helpers shared by the hive's reader and writer.
#pragma once

#include <string_view>

namespace winapi::hive_text {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

inline std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The value of a hex digit, or -1 for any other character.
inline int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The line ending a line's text closes with: "\r\n", "\n" or none at the end of a file.
inline std::string_view LineEnding(std::string_view lineText) {
  if (lineText.ends_with("\r\n")) return "\r\n";
  if (lineText.ends_with('\n')) return "\n";
  return {};
}

// The control characters a hive line may not hold (tab is a blank).
inline bool IsForbiddenControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 && c != '\t';
}

}  // namespace winapi::hive_text
