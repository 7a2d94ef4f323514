// The platform's choice of a string among the languages a module holds it in:
// the language asked for; else the same language in another region (for
// Chinese, the same script first); else English (United States); else any.
#pragma once

#include <cstdint>
#include <span>

#include "framework/linux/resource_format.h"

namespace res {

// String `id` from `table` for `language`; null when no language holds it.
const StringEntry* FindString(std::span<const StringEntry> table, unsigned id, std::uint16_t language);

}  // namespace res
