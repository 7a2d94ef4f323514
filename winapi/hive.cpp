// Serializing, looking up and changing values of a parsed hive.
#include "winapi/hive.h"

#include "base/ascii.h"
#include "winapi/hive_encoding.h"
#include "winapi/hive_text.h"

namespace winapi {
namespace {

// The line of the named value that lookups see (the last one), or null.
// Searched from the end, so the search stops at the first match.
template <typename HiveT, typename LineT>
LineT* FindValueLine(HiveT& hive, std::string_view keyPath, std::string_view valueName) {
  for (auto key = hive.keys.rbegin(); key != hive.keys.rend(); ++key) {
    if (!SameRegistryName(key->path, keyPath)) continue;
    for (auto line = key->lines.rbegin(); line != key->lines.rend(); ++line) {
      if (line->value && SameRegistryName(line->value->name, valueName)) return &*line;
    }
  }
  return nullptr;
}

}  // namespace

bool SameRegistryName(std::string_view a, std::string_view b) { return base::EqualsIgnoringAsciiCase(a, b); }

Hive EmptyHive(HiveEncoding encoding, std::string_view newline) {
  Hive hive;
  hive.preamble.append(kHiveVersionLine).append(newline);
  hive.newline = newline;
  hive.encoding = encoding;
  return hive;
}

std::string SerializeHive(const Hive& hive) {
  std::size_t size = hive.preamble.size();
  for (const HiveKey& key : hive.keys) {
    size += key.header.size();
    for (const HiveLine& line : key.lines) size += line.text.size();
  }
  std::string text;
  text.reserve(size);
  text.append(hive.preamble);
  for (const HiveKey& key : hive.keys) {
    text.append(key.header);
    for (const HiveLine& line : key.lines) text.append(line.text);
  }
  return hive.encoding == HiveEncoding::Utf8 ? text : hive_encoding::EncodeHiveFile(text, hive.encoding);
}

bool HiveHasKey(const Hive& hive, std::string_view keyPath) {
  for (const HiveKey& key : hive.keys) {
    if (SameRegistryName(key.path, keyPath)) return true;
  }
  return false;
}

const HiveValue* FindHiveValue(const Hive& hive, std::string_view keyPath, std::string_view valueName) {
  const HiveLine* line = FindValueLine<const Hive, const HiveLine>(hive, keyPath, valueName);
  return line ? &*line->value : nullptr;
}

void AddHiveKey(Hive& hive, std::string_view keyPath) {
  std::string& last = hive.keys.empty()                ? hive.preamble
                      : hive.keys.back().lines.empty() ? hive.keys.back().header
                                                       : hive.keys.back().lines.back().text;
  if (!last.empty() && hive_text::LineEnding(last).empty()) last.append(hive.newline);
  if (hive.keys.empty()) {
    hive.preamble.append(hive.newline);
  } else {
    hive.keys.back().lines.push_back({hive.newline, std::nullopt});
  }
  std::string header = "[";
  header.append(keyPath).append("]").append(hive.newline);
  hive.keys.push_back({std::string(keyPath), std::move(header), {}});
}

void ReplaceHiveValue(const Hive& hive, HiveLine& line, const HiveValue& value) {
  HiveValue replacement = value;
  replacement.name = line.value->name;  // a value keeps the spelling it was created with
  const std::string ending(hive_text::LineEnding(line.text));
  line.text = FormatHiveValue(replacement, hive.newline, hive.encoding) + ending;
  line.value = std::move(replacement);
}

std::optional<HiveLinePosition> AddHiveValue(Hive& hive, std::string_view keyPath, const HiveValue& value) {
  if (!CanFormatHiveValue(value, hive.encoding)) return std::nullopt;
  std::optional<std::size_t> last;
  for (std::size_t key = 0; key < hive.keys.size(); ++key) {
    if (SameRegistryName(hive.keys[key].path, keyPath)) last = key;
  }
  if (!last) return std::nullopt;
  HiveKey& block = hive.keys[*last];
  std::size_t position = block.lines.size();
  while (position > 0 && !block.lines[position - 1].value) --position;
  std::string& previous = position == 0 ? block.header : block.lines[position - 1].text;
  if (hive_text::LineEnding(previous).empty()) previous.append(hive.newline);
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(position),
                     HiveLine{FormatHiveValue(value, hive.newline, hive.encoding) + hive.newline, value});
  return HiveLinePosition{*last, position};
}

bool SetHiveValue(Hive& hive, std::string_view keyPath, const HiveValue& value) {
  if (!CanFormatHiveValue(value, hive.encoding)) return false;
  if (HiveLine* existing = FindValueLine<Hive, HiveLine>(hive, keyPath, value.name)) {
    ReplaceHiveValue(hive, *existing, value);
    return true;
  }
  return AddHiveValue(hive, keyPath, value).has_value();
}

}  // namespace winapi
