// Writes the resources of a script as a C++ source that defines the tables of
// res/resource_data.h.
#pragma once

#include <string>

#include "res/rcc/lib/rc_model.h"

namespace rcc {

std::string WriteTables(const ResourceScript& script, const std::string& scriptName);

// A C++ string literal of UTF-8 text: non-ASCII and control bytes as octal
// escapes, so that the literal means the same bytes in any source encoding.
std::string CppStringLiteral(const std::string& text);

}  // namespace rcc
