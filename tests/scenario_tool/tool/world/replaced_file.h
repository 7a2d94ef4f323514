// Replacing a file whole: written beside it and renamed into place, so that a
// reader never finds half a file.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace scenario {

// A WorldError when it cannot be done. With `mode` the new file gets that mode.
void ReplaceFile(const std::string& path, const std::string& content, std::optional<mode_t> mode = std::nullopt);

}  // namespace scenario
