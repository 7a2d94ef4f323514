// What this process holds: descriptors, child processes, and the stand-in's
// own counts of open keys, device and process handles and unreaped children.
#pragma once

#include <string>

namespace robustness {

// Processes whose parent is this process, zombies included.
int ChildProcessCount();

// "keys K, files F, processes P, unreaped U": the stand-in's leak probes.
std::string StandInHandles();

}  // namespace robustness
