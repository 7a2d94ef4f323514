#include "winapi/stand_in.h"

#include <cstdlib>

namespace winapi {
namespace {

std::string& PrefixStorage() {
  static std::string prefix = [] {
    const char* fromEnvironment = std::getenv("TAVRIN_PREFIX");
    return std::string(fromEnvironment && *fromEnvironment ? fromEnvironment : "/var/lib/tavrin");
  }();
  return prefix;
}

}  // namespace

const std::string& Prefix() { return PrefixStorage(); }

void SetPrefix(const std::string& directory) { PrefixStorage() = directory; }

}  // namespace winapi
