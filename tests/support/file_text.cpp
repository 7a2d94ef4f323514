#include "tests/support/file_text.h"

#include <fstream>
#include <sstream>

namespace test_support {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace test_support
