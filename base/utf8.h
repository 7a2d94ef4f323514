// UTF-8 text: strict decoding, encoding, and cutting without splitting a
// character. Every layer's texts are UTF-8; this is their one reader.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// The code point at the start of `text` and its length in bytes; length 0
// when the bytes there are not well-formed UTF-8 (overlong forms, surrogates,
// code points past U+10FFFF and truncated sequences included).
char32_t DecodeUtf8(std::string_view text, std::size_t& length);
void AppendUtf8(std::string& out, char32_t code);

bool IsValidUtf8(std::string_view text);
bool IsAscii(std::string_view text);

// The bytes of the longest beginning of `text` that is at most `capacity`
// bytes long and ends on a character boundary.
std::size_t Utf8FittingLength(std::string_view text, std::size_t capacity);
// Copies as much of `text` as fits into a buffer of `size` bytes with its
// terminator, cut between characters; returns the bytes copied.
std::size_t CopyUtf8Cut(std::string_view text, char* buffer, std::size_t size);

}  // namespace base
