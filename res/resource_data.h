// The tables the resource compiler generates from portsetup.rc. Only
// resource_tables.cpp reads them; everyone else uses resource_tables.h.
#pragma once

#include <span>

#include "res/resource_tables.h"

namespace res::data {

extern const std::span<const DialogTemplate> dialogs;
extern const std::span<const StringEntry> strings;
extern const std::span<const IconGroup> icons;
extern const VersionRecord version;

}  // namespace res::data
