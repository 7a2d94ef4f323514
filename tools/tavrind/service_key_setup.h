// The installation's part of the hive: the driver's service key, empty.
#pragma once

#include <string>

namespace tavrind {

// Creates the hive with the service key, or adds the key to an existing hive
// whose other keys, values and comments stay as they are. A hive that cannot
// be parsed is never rewritten. Returns an empty text on success, else why not.
std::string EnsureServiceKey(const std::string& hivePath, bool& added);

}  // namespace tavrind
