// The output of the Windows test programs that the Linux side reads back: one
// fact a line, written at once, so that a program killed midway has said all
// it found.
#pragma once

#include <string>

namespace wine_test {

// Writes line and a line feed to standard output and flushes it.
void Say(const std::string& line);
// Says "error why" and ends the program with status 1.
[[noreturn]] void Fail(const std::string& why);

}  // namespace wine_test
