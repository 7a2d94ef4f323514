#include "tests/support/temp_directory.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace test_support {

TempDirectory::TempDirectory(const std::string& namePrefix) {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + namePrefix + ".XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot create a temporary directory from " + pattern);
  }
  m_path = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;  // nothing sensible is left to do if removal fails
  // Tests may have taken write permission away; give it back so the removal works.
  std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::string TempDirectory::Write(const std::string& name, std::string_view content) const {
  const std::string path = *this / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace test_support
