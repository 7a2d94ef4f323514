// Writes a value as one line of the export syntax.
#include <cstdio>

#include "base/utf8.h"
#include "winapi/hive.h"
#include "winapi/hive_encoding.h"
#include "winapi/hive_text.h"

namespace winapi {
namespace {

constexpr std::size_t kWrapColumn = 77;  // hex lines stay within 80 columns, as the registry editor's do

void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (const char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
}

bool HoldsControl(std::string_view text) {
  for (const char c : text) {
    if (hive_text::IsForbiddenControl(c)) return true;
  }
  return false;
}

// REG_SZ data that reads back the same from a quoted string: one terminating
// zero, no control characters before it, and UTF-8 for a UTF-16LE file.
bool IsQuotableText(const HiveValue& value, HiveEncoding encoding) {
  if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0) return false;
  const std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
  return text.find('\0') == std::string_view::npos && !HoldsControl(text) &&
         (encoding == HiveEncoding::Utf8 || base::IsValidUtf8(text));
}

void AppendHexBytes(std::string& out, const std::vector<BYTE>& data, std::string_view newline) {
  std::size_t lineStart = out.rfind('\n');
  lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  for (std::size_t i = 0; i < data.size(); ++i) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02x", data[i]);
    out.append(byte);
    if (i + 1 == data.size()) break;
    out.push_back(',');
    if (out.size() - lineStart >= kWrapColumn) {
      out.push_back('\\');
      out.append(newline);
      lineStart = out.size();
      out.append("  ");
    }
  }
}

}  // namespace

bool CanFormatHiveValue(const HiveValue& value, HiveEncoding encoding) {
  return !HoldsControl(value.name) && (encoding == HiveEncoding::Utf8 || base::IsValidUtf8(value.name));
}

std::string FormatHiveValue(const HiveValue& value, std::string_view newline, HiveEncoding encoding) {
  std::string line;
  if (value.name.empty()) {
    line.push_back('@');
  } else {
    AppendQuoted(line, value.name);
  }
  line.push_back('=');
  if (value.type == REG_DWORD && value.data.size() == 4) {
    const DWORD word = static_cast<DWORD>(value.data[0]) | static_cast<DWORD>(value.data[1]) << 8 |
                       static_cast<DWORD>(value.data[2]) << 16 | static_cast<DWORD>(value.data[3]) << 24;
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(word));
    line.append(text);
  } else if (IsQuotableText(value, encoding)) {
    AppendQuoted(line, std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
  } else {
    if (value.type == REG_BINARY) {
      line.append("hex:");
    } else {
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
      line.append(prefix);
    }
    AppendHexBytes(line, value.data, newline);
  }
  return line;
}

}  // namespace winapi
