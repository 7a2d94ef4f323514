#include "temp_prefix.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "stand_in.h"

namespace fs = std::filesystem;

TempPrefix::TempPrefix() : previousPrefix_(winapi::Prefix()) {
  std::string pattern = (fs::temp_directory_path() / "tavrin-registry-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
  winapi::SetPrefix(directory_);
}

TempPrefix::~TempPrefix() {
  winapi::SetPrefix(previousPrefix_);
  std::error_code ignored;
  // Tests may have taken write permission away; give it back so the removal works.
  fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(directory_, ignored);
}

void TempPrefix::WriteHive(std::string_view text) const {
  std::ofstream out(HivePath(), std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out.flush()) throw std::runtime_error("cannot write the test hive");
}

std::string TempPrefix::ReadHive() const {
  std::ifstream in(HivePath(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::set<std::string> TempPrefix::Entries() const {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory_)) names.insert(entry.path().filename().string());
  return names;
}

std::string ServiceKeyHive(std::string_view values) {
  std::string text = "Windows Registry Editor Version 5.00\n\n[";
  text.append(kServiceKeyPath).append("]\n").append(values);
  return text;
}
