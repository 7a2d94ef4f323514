#include "tests/wine/windows/step_output.h"

#include <cstdio>
#include <cstdlib>

namespace wine_test {

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Fail(const std::string& why) {
  Say("error " + why);
  std::exit(1);
}

}  // namespace wine_test
