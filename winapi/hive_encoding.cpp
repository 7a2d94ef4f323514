#include "hive_encoding.h"

#include <cstdint>

namespace winapi::hive_encoding {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

void AppendUtf16Le(std::string& out, char32_t c) {
  const auto unit = [&out](std::uint32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  };
  if (c < 0x10000) {
    unit(c);
  } else {
    unit(0xD800 + ((c - 0x10000) >> 10));
    unit(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// The code point at the start of `text` and its length in bytes; length 0 when
// the bytes there are not well-formed UTF-8 (overlong forms, surrogates and
// code points past U+10FFFF included).
char32_t NextUtf8(std::string_view text, std::size_t& length) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  length = 0;
  const unsigned char lead = byte(0);
  std::size_t size = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    size = 2, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    size = 3, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    size = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < size) return 0;
  for (std::size_t i = 1; i < size; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = c << 6 | (byte(i) & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  length = size;
  return c;
}

}  // namespace

bool DecodeHiveFile(std::string_view bytes, HiveEncoding& encoding, std::string& text, HiveError& error) {
  encoding = HiveEncoding::Utf8;
  if (bytes.starts_with(kUtf16BeMark)) {
    error = {1, "the hive is UTF-16 big-endian text; it must be UTF-16LE with a byte-order mark, or 8-bit text"};
    return false;
  }
  if (!bytes.starts_with(kUtf16LeMark)) return true;

  encoding = HiveEncoding::Utf16Le;
  bytes.remove_prefix(kUtf16LeMark.size());
  text.clear();
  text.reserve(bytes.size() / 2);
  int line = 1;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    if (i + 1 == bytes.size()) {
      error = {line, "the UTF-16 text ends in half a character"};
      return false;
    }
    const auto unitAt = [&bytes](std::size_t at) {
      return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                   static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    char32_t c = unitAt(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unitAt(i + 2) >= 0xDC00 && unitAt(i + 2) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      error = {line, "a UTF-16 surrogate without its pair"};
      return false;
    }
    if (c == '\n') ++line;
    AppendUtf8(text, c);
  }
  return true;
}

std::string EncodeHiveFile(std::string_view text, HiveEncoding encoding) {
  if (encoding == HiveEncoding::Utf8) return std::string(text);
  std::string bytes(kUtf16LeMark);
  bytes.reserve(2 + text.size() * 2);
  while (!text.empty()) {
    std::size_t length = 0;
    const char32_t c = NextUtf8(text, length);
    AppendUtf16Le(bytes, length == 0 ? U'\uFFFD' : c);  // callers give valid UTF-8 only
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return bytes;
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    std::size_t length = 0;
    NextUtf8(text, length);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

}  // namespace winapi::hive_encoding
