// Peak resident set of a headless start-up and Apply, measured in a process
// of its own: this program started again with kRssChildOption.
#pragma once

#include "bench/port_world.h"

namespace bench {

inline constexpr char kRssChildOption[] = "--rss-child";

// Forks and runs this program with kRssChildOption in the world's prefix;
// returns the child's ru_maxrss in KiB. The fork happens while this process
// is still small: a child's peak starts from what it inherits.
long PeakResidentKiB(const PortWorld& world);

// The child's part: one start-up and Apply in the prefix TAVRIN_PREFIX names.
// Exit code 0 when the dialog waited for the person and Apply ran.
int RunRssChild();

}  // namespace bench
