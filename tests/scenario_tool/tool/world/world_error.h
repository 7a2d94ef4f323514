// The world a scenario asks for could not be built: the scenario cannot run.
#pragma once

#include <stdexcept>
#include <string>

namespace scenario {

class WorldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A WorldError naming what failed and the system's reason (errno).
[[noreturn]] void ThrowSystemError(const std::string& what);

}  // namespace scenario
