#include "tests/scenario_tool/tool/world/replaced_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "tests/scenario_tool/tool/world/world_error.h"

namespace scenario {

void ReplaceFile(const std::string& path, const std::string& content, std::optional<mode_t> mode) {
  const std::string temporary = path + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << content;
    if (!file.flush()) throw WorldError("cannot write " + temporary);
  }
  if (mode && chmod(temporary.c_str(), *mode) != 0) ThrowSystemError("cannot set the mode of " + temporary);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) ThrowSystemError("cannot replace " + path);
}

}  // namespace scenario
