#include "tools/tavrind/settings_file.h"

#include <algorithm>
#include <cstring>

#include "base/utf8.h"
#include "model/port_setting.h"
#include "tools/tavrind/hex_text.h"
#include "tools/tavrind/port_value_name.h"
#include "tools/tavrind/service_key.h"
#include "winapi/hive.h"

namespace tavrind {
namespace {

using namespace std::string_view_literals;

// Why the bytes are in none of the encodings a settings file comes in.
std::optional<std::string> UnknownEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE\0\0"sv) || bytes.starts_with("\0\0\xFE\xFF"sv)) return "UTF-32 text";
  if (bytes.starts_with("\xFE\xFF"sv)) return "UTF-16 big-endian text";
  if (bytes.starts_with("\xFF\xFE"sv)) return std::nullopt;  // UTF-16LE, which the hive's reader decodes and checks
  if (bytes.find('\0') != std::string_view::npos) return "text with NUL bytes, as UTF-16 without a byte-order mark";
  int number = 1;
  for (std::size_t start = 0; start < bytes.size(); ++number) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
    if (!base::IsValidUtf8(bytes.substr(start, end - start))) return "line " + std::to_string(number) + " is not UTF-8";
    start = end;
  }
  return std::nullopt;
}

int LineCount(std::string_view text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

bool IsBelowServiceKey(std::string_view keyPath) {
  const std::string_view serviceKey = kServiceKeyPath;
  return keyPath.size() > serviceKey.size() && keyPath[serviceKey.size()] == '\\' &&
         winapi::SameRegistryName(keyPath.substr(0, serviceKey.size()), serviceKey);
}

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

std::optional<SettingsFile> ReadSettingsFile(std::string_view bytes, const std::string& fileName,
                                             std::string& failure) {
  const auto at = [&fileName](int line) {
    std::string where = fileName;
    if (line > 0) where.append(":").append(std::to_string(line));
    return where.append(": ");
  };
  const auto fail = [&](int line, const std::string& message) {
    failure = at(line) + message;
    return std::nullopt;
  };
  if (const std::optional<std::string> encoding = UnknownEncoding(bytes))
    return fail(0, *encoding +
                       "; a settings file is UTF-16LE with a byte-order mark, as the registry editor "
                       "writes it, or UTF-8");
  winapi::HiveError error;
  const std::optional<winapi::Hive> hive = winapi::ParseHive(bytes, &error);
  if (!hive) return fail(error.line, error.message);

  SettingsFile file;
  bool serviceKeyFound = false;
  int line = LineCount(hive->preamble);
  for (const winapi::HiveKey& key : hive->keys) {
    const int headerLine = line + 1;
    line += LineCount(key.header);
    const bool serviceKey = winapi::SameRegistryName(key.path, kServiceKeyPath);
    if (!serviceKey && !IsBelowServiceKey(key.path))
      return fail(headerLine, "[" + key.path + "] is not the driver's key [" + kServiceKeyPath + "]");
    if (!serviceKey) file.skipped.push_back(at(headerLine) + "skipped [" + key.path + "] with its values");
    serviceKeyFound = serviceKeyFound || serviceKey;

    for (const winapi::HiveLine& entry : key.lines) {
      const int valueLine = line + 1;
      line += LineCount(entry.text);
      if (!entry.value || !serviceKey) continue;
      const winapi::HiveValue& value = *entry.value;
      const std::optional<int> port = PortIndexOfValue(value.name);
      if (!port && LooksLikePortName(value.name))
        return fail(valueLine, Quoted(value.name) + " is no port name; ports are COM1 to COM225");
      if (!port) {
        file.skipped.push_back(at(valueLine) + "skipped the value " + (value.name.empty() ? "@" : Quoted(value.name)) +
                               ": no port's settings word");
        continue;
      }
      if (value.type != REG_DWORD || value.data.size() != 4)
        return fail(valueLine, Quoted(value.name) + " is no settings word, which is a dword (dword:00000027)");
      DWORD word = 0;
      std::memcpy(&word, value.data.data(), sizeof word);  // as the registry gives a REG_DWORD
      if ((word & ~model::kSettingsWordBits) != 0 ||
          model::BaudIndexOf(word) >= static_cast<int>(model::kBaudRateTable.size()))
        return fail(valueLine, Quoted(value.name) + " holds " + HexText(word, 8) +
                                   ", which is no settings word: only bits 0 to 5 are used, and the baud index "
                                   "(bits 3 to 5) is 0 to 6");
      file.words[*port] = word;
    }
  }
  if (!serviceKeyFound) return fail(0, "holds no [" + std::string(kServiceKeyPath) + "]");
  return file;
}

}  // namespace tavrind
