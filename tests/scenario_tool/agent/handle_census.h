// The handles the program holds that it should have closed: its settings key,
// files and devices, processes and threads. Counted against those the agent's
// process held before the program ran, so that the platform's own do not count.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace scenario::agent {

// Remembers the handles open now; before the program runs.
void TakeHandleBaseline();
// Each kind of handle opened since the baseline and still open, with its count.
std::vector<std::pair<std::string, int>> HandlesLeftOpen();

}  // namespace scenario::agent
