#include "temp_directory.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "stand_in.h"

namespace devices_test {

TempDirectory::TempDirectory() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/tavrin-devices-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

TempPrefix::TempPrefix() : m_previousPrefix(winapi::Prefix()) {
  std::filesystem::create_directory(path() + "/dosdevices");
  winapi::SetPrefix(path());
}

TempPrefix::~TempPrefix() { winapi::SetPrefix(m_previousPrefix); }

void TempPrefix::Link(const std::string& name, const std::string& target) const {
  std::filesystem::create_symlink(target, Entry(name));
}

}  // namespace devices_test
