// The child processes of this process. The program starts no process but the
// device console tool, and the tool itself starts none, so every child is a
// run of that tool.
#pragma once

#include <sys/types.h>

#include <vector>

namespace scenario {

// Children of this process that have not ended yet.
std::vector<pid_t> RunningChildren();

// Kills every child still running and waits until each is reaped (here or by
// the platform stand-in's own reaper, whichever comes first).
void EndRunningChildren();

}  // namespace scenario
