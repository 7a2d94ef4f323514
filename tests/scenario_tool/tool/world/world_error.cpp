#include "tests/scenario_tool/tool/world/world_error.h"

#include <cerrno>
#include <cstring>

namespace scenario {

void ThrowSystemError(const std::string& what) { throw WorldError(what + ": " + std::strerror(errno)); }

}  // namespace scenario
