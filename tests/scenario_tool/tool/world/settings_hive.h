// The driver's settings key in the machine's hive file (hklm.reg), written by
// this tool in the registry editor's export syntax and read back to see what
// the program stored. The tool reads and writes the file itself, so its own
// reading never holds a key open in the program's stand-in.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tests/scenario_tool/script/directive.h"
#include "winapi/hive.h"

namespace scenario {

inline constexpr char kServiceKeyPath[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";

// A hive that holds the service key with these values, or no key at all.
winapi::Hive ServiceKeyHive(bool present, const std::vector<winapi::HiveValue>& values = {});

class SettingsHive {
 public:
  // Starts with the key present and empty.
  explicit SettingsHive(std::string path);
  ~SettingsHive();
  SettingsHive(const SettingsHive&) = delete;
  SettingsHive& operator=(const SettingsHive&) = delete;

  // present: the key exists (values kept if it did); absent: every block of
  // the key is gone; rejects-writes: present, and the stand-in fails every
  // value write; close-fails: present, and closing a key that wrote fails to
  // store the writes.
  void Set(KeyState state);
  void Set(const SetValue& value);

  // The hive as the file holds it now, or why it cannot be read.
  std::variant<winapi::Hive, std::string> Read() const;

 private:
  winapi::Hive Load() const;
  void Save(const winapi::Hive& hive) const;

  std::string m_path;
};

}  // namespace scenario
