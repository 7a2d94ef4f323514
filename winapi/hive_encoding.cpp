#include "winapi/hive_encoding.h"

#include <cstdint>

#include "base/utf8.h"

namespace winapi::hive_encoding {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

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
      return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                               << 8);
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
    base::AppendUtf8(text, c);
  }
  return true;
}

std::string EncodeHiveFile(std::string_view text, HiveEncoding encoding) {
  if (encoding == HiveEncoding::Utf8) return std::string(text);
  std::string bytes(kUtf16LeMark);
  bytes.reserve(2 + text.size() * 2);
  while (!text.empty()) {
    std::size_t length = 0;
    const char32_t c = base::DecodeUtf8(text, length);
    AppendUtf16Le(bytes, length == 0 ? U'\uFFFD' : c);  // callers give valid UTF-8 only
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return bytes;
}

}  // namespace winapi::hive_encoding
