// A settings file: the driver's service key in the registry editor's format,
// as "tavrind export", or the platform's "reg export" or "regedit /e" of the
// service key, writes it.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrind {

struct SettingsFile {
  std::map<int, DWORD> words;        // by index in the port-name table
  std::vector<std::string> skipped;  // what the file holds besides, one note each
};

// The words of the file's service key. The file must be UTF-16LE with a
// byte-order mark or UTF-8, hold no key but the service key and keys below
// it (whose values are skipped), and give each port name a settings word: a
// REG_DWORD with no bits beyond the word's fields and a baud index 0 to 6.
// Other values of the key are skipped. Nothing, with what is wrong and on
// which line in `failure`, when it is not so.
std::optional<SettingsFile> ReadSettingsFile(std::string_view bytes, const std::string& fileName, std::string& failure);

}  // namespace tavrind
