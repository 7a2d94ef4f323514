// Reads the export syntax into a Hive, keeping every line's text as it was.
#include <cstdio>

#include "base/ascii.h"
#include "winapi/hive.h"
#include "winapi/hive_encoding.h"
#include "winapi/hive_text.h"

namespace winapi {
namespace {

using namespace hive_text;

constexpr std::string_view kOlderVersionLine = "REGEDIT4";
constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct PhysicalLine {
  std::string_view text;     // with its line ending
  std::string_view content;  // without it
  int number = 0;
};

class HiveParser {
 public:
  explicit HiveParser(std::string_view text) : m_rest(text) {}

  std::optional<Hive> Parse(HiveError* error) {
    Hive hive;
    if (!ParseDocument(hive)) {
      if (error) *error = m_error;
      return std::nullopt;
    }
    return hive;
  }

 private:
  bool Fail(int line, std::string message) {
    m_error = {line, std::move(message)};
    return false;
  }

  // The next physical line, checked for control characters.
  bool NextLine(PhysicalLine& line, bool& ok) {
    ok = true;
    if (m_rest.empty()) return false;
    const std::size_t end = m_rest.find('\n');
    line.text = m_rest.substr(0, end == std::string_view::npos ? m_rest.size() : end + 1);
    m_rest.remove_prefix(line.text.size());
    line.content = line.text.substr(0, line.text.size() - LineEnding(line.text).size());
    line.number = ++m_lineNumber;
    for (const char c : line.content) {
      if (IsForbiddenControl(c)) {
        char message[64];
        std::snprintf(message, sizeof message, "control character 0x%02X", static_cast<unsigned char>(c));
        ok = Fail(line.number, message);
        break;
      }
    }
    return true;
  }

  bool ParseDocument(Hive& hive) {
    PhysicalLine line;
    bool ok = true;
    if (!NextLine(line, ok)) {
      return Fail(1, "empty file; the first line must be \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
    }
    if (!ok) return false;
    std::string_view version = line.content;
    if (version.starts_with(kUtf8Mark)) version.remove_prefix(kUtf8Mark.size());
    if (TrimRight(version) != kHiveVersionLine && TrimRight(version) != kOlderVersionLine) {
      return Fail(1, "the first line must be \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
    }
    hive.preamble.assign(line.text);
    if (LineEnding(line.text) == "\r\n") hive.newline = "\r\n";

    while (NextLine(line, ok)) {
      if (!ok) return false;
      const std::string_view start = TrimLeft(line.content);
      if (start.empty() || start.front() == ';') {
        if (hive.keys.empty()) {
          hive.preamble.append(line.text);
        } else {
          hive.keys.back().lines.push_back({std::string(line.text), std::nullopt});
        }
      } else if (start.front() == '[') {
        HiveKey key;
        if (!ParseKeyHeader(line, start, key)) return false;
        hive.keys.push_back(std::move(key));
      } else if (start.front() == '"' || start.front() == '@') {
        if (hive.keys.empty()) return Fail(line.number, "value outside any key");
        HiveLine valueLine;
        if (!ParseValueLine(line, start, valueLine)) return false;
        hive.keys.back().lines.push_back(std::move(valueLine));
      } else {
        return Fail(line.number, "expected a [key], a \"value\"=..., a ; comment or a blank line");
      }
    }
    return true;
  }

  bool ParseKeyHeader(const PhysicalLine& line, std::string_view start, HiveKey& key) {
    const std::string_view header = TrimRight(start);
    if (header.size() < 2 || header.back() != ']') return Fail(line.number, "key header lacks its closing ']'");
    const std::string_view path = header.substr(1, header.size() - 2);
    if (path.starts_with('-')) return Fail(line.number, "key deletions have no place in a hive");
    std::string_view remaining = path;
    bool first = true;
    while (true) {
      const std::size_t separator = remaining.find('\\');
      const std::string_view name = remaining.substr(0, separator);
      if (name.empty()) return Fail(line.number, "key path holds an empty name");
      if (first && !SameRegistryName(name, kRootName)) {
        return Fail(line.number, "key is not under HKEY_LOCAL_MACHINE");
      }
      first = false;
      if (separator == std::string_view::npos) break;
      remaining.remove_prefix(separator + 1);
    }
    key.path.assign(path);
    key.header.assign(line.text);
    return true;
  }

  // Where the quote or backslash that ends a run of plain text is; a plain
  // loop, as find_first_of calls memchr for every character.
  static std::size_t QuoteOrEscape(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '"' || text[i] == '\\') return i;
    }
    return std::string_view::npos;
  }

  // A quoted text at the start of `text` with \\ and \" escapes; `text` is
  // advanced past the closing quote.
  bool ParseQuoted(const PhysicalLine& line, std::string_view& text, std::string& out) {
    text.remove_prefix(1);
    while (true) {
      const std::size_t stop = QuoteOrEscape(text);
      if (stop == std::string_view::npos) return Fail(line.number, "missing closing quote");
      out.append(text.substr(0, stop));
      const char found = text[stop];
      text.remove_prefix(stop + 1);
      if (found == '"') return true;
      if (text.empty() || (text.front() != '\\' && text.front() != '"')) {
        return Fail(line.number, "unknown escape; only \\\\ and \\\" are allowed in quotes");
      }
      out.push_back(text.front());
      text.remove_prefix(1);
    }
  }

  bool ParseValueLine(const PhysicalLine& line, std::string_view text, HiveLine& out) {
    HiveValue value;
    if (text.front() == '@') {
      text.remove_prefix(1);
    } else if (!ParseQuoted(line, text, value.name)) {
      return false;
    }
    text = TrimLeft(text);
    if (!text.starts_with('=')) return Fail(line.number, "expected '=' after the value name");
    text = TrimLeft(text.substr(1));
    out.text.assign(line.text);

    if (text.starts_with('"')) {
      std::string content;
      if (!ParseQuoted(line, text, content)) return false;
      if (!TrimLeft(text).empty()) return Fail(line.number, "unexpected text after the closing quote");
      value.type = REG_SZ;
      value.data.assign(content.begin(), content.end());
      value.data.push_back(0);
    } else if (TrimRight(text) == "-") {
      return Fail(line.number, "value deletions have no place in a hive");
    } else if (base::StartsWithIgnoringAsciiCase(text, "dword:")) {
      if (!ParseDword(line, text.substr(6), value)) return false;
    } else if (base::StartsWithIgnoringAsciiCase(text, "hex")) {
      if (!ParseHexType(line, text.substr(3), value)) return false;
      const std::string_view bytes = text.substr(text.find(':') + 1);
      value.data.reserve(bytes.size() / 3 + 1);  // "xx," per byte: one allocation for a line's bytes
      if (!ParseHexBytes(line, bytes, out.text, value.data)) return false;
    } else {
      return Fail(line.number, "value data must be a \"string\", dword:, hex: or hex(N):");
    }
    out.value = std::move(value);
    return true;
  }

  // Up to eight hex digits at the start of `text`, advanced past them.
  static std::optional<DWORD> ParseHexNumber(std::string_view& text) {
    DWORD number = 0;
    std::size_t digits = 0;
    for (int digit; digits < text.size() && (digit = HexDigit(text[digits])) >= 0; ++digits) {
      if (digits == 8) return std::nullopt;
      number = (number << 4) | static_cast<DWORD>(digit);
    }
    if (digits == 0) return std::nullopt;
    text.remove_prefix(digits);
    return number;
  }

  bool ParseDword(const PhysicalLine& line, std::string_view text, HiveValue& value) {
    const std::optional<DWORD> number = ParseHexNumber(text);
    if (!number || !TrimLeft(text).empty()) return Fail(line.number, "dword: needs 1 to 8 hex digits");
    value.type = REG_DWORD;
    value.data.reserve(4);
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<BYTE>(*number >> shift));
    return true;
  }

  // "(N):" or ":" after "hex".
  bool ParseHexType(const PhysicalLine& line, std::string_view text, HiveValue& value) {
    value.type = REG_BINARY;
    if (text.starts_with('(')) {
      text.remove_prefix(1);
      const std::optional<DWORD> type = ParseHexNumber(text);
      if (!type || !text.starts_with(')')) return Fail(line.number, "hex(N): needs a type of 1 to 8 hex digits");
      value.type = *type;
      text.remove_prefix(1);
    }
    if (!text.starts_with(':')) return Fail(line.number, "expected ':' after hex or hex(N)");
    return true;
  }

  // Comma-separated bytes; a '\' where a byte is due continues the list on the
  // next line, whose text is added to `lineText`.
  bool ParseHexBytes(PhysicalLine line, std::string_view text, std::string& lineText, std::vector<BYTE>& bytes) {
    bool byteDue = false;  // after a comma
    while (true) {
      text = TrimLeft(text);
      if (text.empty()) {
        if (byteDue) return Fail(line.number, "a byte is missing after ','");
        return true;
      }
      if ((byteDue || bytes.empty()) && text.front() == '\\' && TrimLeft(text.substr(1)).empty()) {
        bool ok = true;
        if (!NextLine(line, ok)) return Fail(line.number, "the value is continued but the file ends");
        if (!ok) return false;
        lineText.append(line.text);
        text = line.content;
        continue;
      }
      if (!byteDue && !bytes.empty()) {
        if (text.front() != ',') return Fail(line.number, "expected ',' between bytes");
        text.remove_prefix(1);
        byteDue = true;
        continue;
      }
      const int high = HexDigit(text.front());
      const int low = text.size() > 1 ? HexDigit(text[1]) : -1;
      const std::size_t digits = low < 0 ? 1 : 2;
      if (high < 0 || (text.size() > digits && HexDigit(text[digits]) >= 0)) {
        return Fail(line.number, "a byte must be 1 or 2 hex digits");
      }
      bytes.push_back(static_cast<BYTE>(low < 0 ? high : high << 4 | low));
      text.remove_prefix(digits);
      byteDue = false;
    }
  }

  std::string_view m_rest;
  int m_lineNumber = 0;
  HiveError m_error;
};

}  // namespace

std::optional<Hive> ParseHive(std::string_view bytes, HiveError* error) {
  HiveEncoding encoding = HiveEncoding::Utf8;
  std::string decoded;
  HiveError decodeError;
  if (!hive_encoding::DecodeHiveFile(bytes, encoding, decoded, decodeError)) {
    if (error) *error = decodeError;
    return std::nullopt;
  }
  std::optional<Hive> hive = HiveParser(encoding == HiveEncoding::Utf8 ? bytes : decoded).Parse(error);
  if (hive) hive->encoding = encoding;
  return hive;
}

}  // namespace winapi
