// Runs a piece of a test in a forked child with an alarm, so that a hang fails
// the test instead of blocking the test run. The child's report comes back
// through a pipe.
#pragma once

#include <functional>
#include <string>

namespace robustness {

struct ChildOutcome {
  bool finished = false;  // exited normally, with status 0
  std::string how;        // how it ended, for failure messages
  std::string report;     // what the child's body returned
};

// The child runs body and ends with status 0; an uncaught exception, a crash
// or the alarm after `seconds` ends it otherwise.
ChildOutcome RunInChild(unsigned seconds, const std::function<std::string()>& body);

}  // namespace robustness
