// The words of the message box buttons in the languages of the string table.
#pragma once

#include <span>

#include "framework/linux/resource_format.h"

namespace res {

std::span<const StringEntry> BoxButtonWords();

}  // namespace res
