#include "temporary_directory.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "world_error.h"

namespace scenario {

TemporaryDirectory::TemporaryDirectory(const std::string& namePrefix) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + namePrefix + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) ThrowSystemError("cannot create a temporary directory from " + pattern);
  m_path = buffer.data();
}

TemporaryDirectory::~TemporaryDirectory() {
  std::error_code ignored;  // nothing sensible is left to do if removal fails
  std::filesystem::remove_all(m_path, ignored);
}

}  // namespace scenario
