// A whole file read back, for checks of what a program wrote.
#pragma once

#include <string>

namespace test_support {

// The bytes of the file at path; empty when it cannot be read.
std::string FileText(const std::string& path);

}  // namespace test_support
