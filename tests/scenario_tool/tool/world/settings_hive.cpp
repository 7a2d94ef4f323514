#include "tests/scenario_tool/tool/world/settings_hive.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/tool/world/replaced_file.h"
#include "tests/scenario_tool/tool/world/world_error.h"
#include "winapi/stand_in.h"

namespace scenario {
namespace {

constexpr char kPreamble[] = "Windows Registry Editor Version 5.00\n\n";

winapi::HiveKey EmptyServiceKey() {
  return winapi::HiveKey{kServiceKeyPath, std::string("[") + kServiceKeyPath + "]\n", {}};
}

}  // namespace

winapi::Hive ServiceKeyHive(bool present, const std::vector<winapi::HiveValue>& values) {
  winapi::Hive hive;
  hive.preamble = kPreamble;
  if (!present) return hive;
  hive.keys.push_back(EmptyServiceKey());
  for (const winapi::HiveValue& value : values) winapi::SetHiveValue(hive, kServiceKeyPath, value);
  return hive;
}

SettingsHive::SettingsHive(std::string path) : m_path(std::move(path)) { Save(ServiceKeyHive(true)); }

SettingsHive::~SettingsHive() { winapi::SetRegistryWritesFail(false); }

std::variant<winapi::Hive, std::string> SettingsHive::Read() const {
  std::ifstream file(m_path, std::ios::binary);
  if (!file) return "cannot read " + m_path;
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  winapi::HiveError error;
  auto hive = winapi::ParseHive(text, &error);
  if (!hive) return m_path + ":" + std::to_string(error.line) + ": " + error.message;
  return std::move(*hive);
}

winapi::Hive SettingsHive::Load() const {
  auto hive = Read();
  if (auto* problem = std::get_if<std::string>(&hive)) throw WorldError(*problem);
  return std::move(std::get<winapi::Hive>(hive));
}

void SettingsHive::Save(const winapi::Hive& hive) const {
  // Replaced whole, as the stand-in itself does, so a reader never sees half a hive.
  ReplaceFile(m_path, winapi::SerializeHive(hive));
}

void SettingsHive::Set(KeyState state) {
  winapi::SetRegistryWritesFail(state == KeyState::RejectsWrites);
  winapi::Hive hive = Load();
  const bool present = winapi::HiveHasKey(hive, kServiceKeyPath);
  if (state == KeyState::Absent) {
    std::erase_if(hive.keys,
                  [](const winapi::HiveKey& key) { return winapi::SameRegistryName(key.path, kServiceKeyPath); });
  } else if (!present) {
    hive.keys.push_back(EmptyServiceKey());
  }
  Save(hive);
  // The stand-in stores a closed key's writes through hklm.reg.tmp, which it
  // creates afresh; a folder in its place makes every store fail.
  const std::string blocker = m_path + ".tmp";
  std::error_code ignored;
  if (state == KeyState::CloseFails) {
    std::filesystem::create_directory(blocker, ignored);
  } else {
    std::filesystem::remove(blocker, ignored);
  }
}

void SettingsHive::Set(const SetValue& value) {
  winapi::Hive hive = Load();
  const winapi::HiveValue stored{value.name, static_cast<DWORD>(value.isWord ? REG_DWORD : REG_BINARY), value.data};
  if (!winapi::SetHiveValue(hive, kServiceKeyPath, stored)) {
    throw WorldError("cannot store the value " + QuoteWord(value.name) + " in the hive");
  }
  Save(hive);
}

}  // namespace scenario
