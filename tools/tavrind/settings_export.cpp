#include "tools/tavrind/settings_export.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/port_setting.h"
#include "tools/tavrind/port_value_name.h"
#include "tools/tavrind/service_key.h"
#include "winapi/registry_hive_file.h"

namespace tavrind {
namespace {

// Every port's word, then the other values: for each name the value that
// lookups see (the last one), where it stands in the hive.
std::vector<winapi::HiveValue> ExportedValues(const winapi::Hive& hive) {
  std::vector<winapi::HiveValue> values;
  for (int index = 0; index < model::kPortCount; ++index) {
    const char* name = model::PortName(index);
    const winapi::HiveValue* stored = winapi::FindHiveValue(hive, kServiceKeyPath, name);
    values.push_back(stored ? *stored : winapi::HiveValue{name, REG_DWORD, std::vector<BYTE>(sizeof(DWORD))});
  }
  for (const winapi::HiveKey& key : hive.keys) {
    if (!winapi::SameRegistryName(key.path, kServiceKeyPath)) continue;
    for (const winapi::HiveLine& line : key.lines) {
      if (line.value && !PortIndexOfValue(line.value->name) &&
          winapi::FindHiveValue(hive, kServiceKeyPath, line.value->name) == &*line.value)
        values.push_back(*line.value);
    }
  }
  return values;
}

}  // namespace

std::string ExportedSettings(const std::string& hivePath, winapi::HiveEncoding encoding, std::string& failure) {
  std::string text;
  winapi::HiveFileVersion version;
  if (const LONG read = winapi::ReadHiveFile(hivePath, text, version); read != ERROR_SUCCESS) {
    failure = read == ERROR_FILE_NOT_FOUND
                  ? "there is no hive " + hivePath + "; \"tavrind install\" makes it"
                  : "cannot read " + hivePath + " (registry error " + std::to_string(read) + ")";
    return {};
  }
  winapi::HiveError error;
  const std::optional<winapi::Hive> hive = winapi::ParseHive(text, &error);
  if (!hive) {
    failure = hivePath + ":" + std::to_string(error.line) + ": " + error.message;
    return {};
  }
  if (!winapi::HiveHasKey(*hive, kServiceKeyPath)) {
    failure = hivePath + " holds no [" + std::string(kServiceKeyPath) + "]; \"tavrind install\" adds it";
    return {};
  }

  const bool utf16 = encoding == winapi::HiveEncoding::Utf16Le;
  winapi::Hive exported = winapi::EmptyHive(encoding, utf16 ? "\r\n" : "\n");
  winapi::AddHiveKey(exported, kServiceKeyPath);
  for (const winapi::HiveValue& value : ExportedValues(*hive)) {
    if (!winapi::AddHiveValue(exported, kServiceKeyPath, value)) {
      failure = "the value \"" + value.name + "\" cannot be written in this encoding; try --utf8";
      return {};
    }
  }
  // The registry editor ends its files with a blank line.
  exported.keys.back().lines.push_back({exported.newline, std::nullopt});
  return winapi::SerializeHive(exported);
}

int ExportSettings(const std::string& prefix, winapi::HiveEncoding encoding, const std::string& file, std::ostream& out,
                   std::ostream& err) {
  const std::string hivePath = prefix + "/hklm.reg";
  std::string failure;
  const std::string bytes = ExportedSettings(hivePath, encoding, failure);
  if (!failure.empty()) {
    err << "tavrind: " << failure << "\n";
    return 1;
  }
  if (file.empty()) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.flush() ? 0 : 1;
  }
  std::error_code ignored;
  if (std::filesystem::equivalent(file, hivePath, ignored)) {
    err << "tavrind: " << file << " is the hive itself; export to another file\n";
    return 1;
  }
  std::ofstream written(file, std::ios::binary | std::ios::trunc);
  written.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  written.close();
  if (!written) {
    err << "tavrind: cannot write " << file << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace tavrind
