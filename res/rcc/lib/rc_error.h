// Where a resource script goes wrong, reported as "file:line: message" so that
// editors and build logs can jump to the place.
#pragma once

#include <stdexcept>
#include <string>

namespace rcc {

struct SourceLocation {
  std::string file;
  int line = 0;
};

class RcError : public std::runtime_error {
 public:
  RcError(const SourceLocation& where, const std::string& message)
      : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": " + message) {}
};

}  // namespace rcc
