// The HKEY_LOCAL_MACHINE hive as text in the registry editor's export syntax:
//
//   Windows Registry Editor Version 5.00          (or the older REGEDIT4)
//
//   [HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tavrin]
//   "COM3"=dword:00000027
//   "COM5"=hex(b):01,00,00,00,00,00,00,00
//   "Name"="text with \"quotes\" and \\ backslashes"
//
// The file is UTF-8 (or any 8-bit text), or UTF-16LE with a byte-order mark
// as the registry editor exports it; lines end in LF or CRLF. The model keeps
// every line exactly as it was read and the file's encoding, so serializing
// an unchanged hive gives back the same bytes, and a change rewrites only the
// line of the value it touches (or adds one line, with the file's line
// ending, to the key's block). Pure functions: no I/O, no global state.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winapi {

// The first line of a hive, and of what the registry editor exports.
inline constexpr std::string_view kHiveVersionLine = "Windows Registry Editor Version 5.00";

struct HiveError {
  int line = 0;  // 1-based line where the text stops being a hive
  std::string message;
};

struct HiveValue {
  std::string name;  // unescaped; empty for the default value "@"
  DWORD type = REG_NONE;
  std::vector<BYTE> data;  // REG_SZ text includes its terminating zero
  friend bool operator==(const HiveValue&, const HiveValue&) = default;
};

// One logical line, with its line ending; a hex value continued over several
// physical lines is one HiveLine.
struct HiveLine {
  std::string text;
  std::optional<HiveValue> value;  // set for a value line; blank lines and comments have none
  friend bool operator==(const HiveLine&, const HiveLine&) = default;
};

// A key header and the lines that follow it up to the next header.
struct HiveKey {
  std::string path;    // as written, e.g. "HKEY_LOCAL_MACHINE\System\Tavrin"
  std::string header;  // the header line, with its line ending
  std::vector<HiveLine> lines;
  friend bool operator==(const HiveKey&, const HiveKey&) = default;
};

// How the file's text is stored. The lines of the model are UTF-8 for a
// UTF-16LE file, and the file's own bytes otherwise.
enum class HiveEncoding { Utf8, Utf16Le };

struct Hive {
  std::string preamble;  // the version line and the blank or comment lines before the first key
  std::vector<HiveKey> keys;
  std::string newline = "\n";  // the line ending of the version line, used for lines added
  HiveEncoding encoding = HiveEncoding::Utf8;
  friend bool operator==(const Hive&, const Hive&) = default;
};

// A hive of the version line alone, ending in `newline`.
Hive EmptyHive(HiveEncoding encoding, std::string_view newline);

// The file's bytes as a hive, or nullopt with the line that is wrong and why.
std::optional<Hive> ParseHive(std::string_view bytes, HiveError* error);
// The hive as the file's bytes, in the encoding it was read in.
std::string SerializeHive(const Hive& hive);

// Registry names compare case-insensitively (ASCII letters).
bool SameRegistryName(std::string_view a, std::string_view b);

// A key exists when some header names it. A key may have several blocks;
// they are read in order and a later value of the same name wins.
bool HiveHasKey(const Hive& hive, std::string_view keyPath);
const HiveValue* FindHiveValue(const Hive& hive, std::string_view keyPath, std::string_view valueName);

// Replaces the line of the value that FindHiveValue would return, or adds a
// line after the last value of the key's last block. False when the key has
// no header or the value cannot be written in this syntax
// (see CanFormatHiveValue); the hive is then unchanged.
bool SetHiveValue(Hive& hive, std::string_view keyPath, const HiveValue& value);

// Where a line is: hive.keys[key].lines[line]. A value line keeps its
// position while values are replaced or added (lines are added after the
// key's last value line, before the blank and comment lines that follow it).
struct HiveLinePosition {
  std::size_t key = 0;
  std::size_t line = 0;
};

// The two halves of SetHiveValue, for callers that know whether the value
// exists. ReplaceHiveValue gives a value line new data (the name keeps its
// spelling, the line its ending; the value must be formattable). AddHiveValue
// adds the line of a value the key does not hold yet and tells where; nothing
// when the key has no header or the value cannot be written.
void ReplaceHiveValue(const Hive& hive, HiveLine& line, const HiveValue& value);
std::optional<HiveLinePosition> AddHiveValue(Hive& hive, std::string_view keyPath, const HiveValue& value);

// Adds an empty block for the key at the end, after a blank line, with the
// hive's line ending. The caller checks that no header names it yet.
void AddHiveKey(Hive& hive, std::string_view keyPath);

// Whether a value can be written as a hive line of a file in `encoding`: its
// name must hold no control character, and be UTF-8 for a UTF-16LE file.
// Every type and every data can be written.
bool CanFormatHiveValue(const HiveValue& value, HiveEncoding encoding = HiveEncoding::Utf8);
// The value line, without its ending, continued over further lines with
// `newline` when the hex data is long: "COM3"=dword:00000027. REG_SZ text is
// quoted when the file's encoding can hold it, else written as hex(1).
std::string FormatHiveValue(const HiveValue& value, std::string_view newline,
                            HiveEncoding encoding = HiveEncoding::Utf8);

}  // namespace winapi
