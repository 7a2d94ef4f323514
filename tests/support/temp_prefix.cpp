#include "tests/support/temp_prefix.h"

#include <filesystem>

#include "tests/support/file_text.h"
#include "winapi/stand_in.h"

namespace test_support {

TempPrefix::TempPrefix() : m_previousPrefix(winapi::Prefix()) {
  std::filesystem::create_directory(path() + "/dosdevices");
  winapi::SetPrefix(path());
}

TempPrefix::~TempPrefix() { winapi::SetPrefix(m_previousPrefix); }

void TempPrefix::Link(const std::string& name, const std::string& target) const {
  std::filesystem::create_symlink(target, Entry(name));
}

void TempPrefix::WriteHive(std::string_view text) const { m_directory.Write("hklm.reg", text); }

std::string TempPrefix::ReadHive() const { return FileText(HivePath()); }

std::set<std::string> TempPrefix::HiveFiles() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path())) {
    const std::string name = entry.path().filename().string();
    if (name == "hklm.reg" || name.starts_with("hklm.reg.")) names.insert(name);
  }
  return names;
}

std::string ServiceKeyHive(std::string_view values) {
  std::string text = "Windows Registry Editor Version 5.00\n\n[";
  text.append(kServiceKeyPath).append("]\n").append(values);
  return text;
}

}  // namespace test_support
