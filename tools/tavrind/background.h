// "tavrind run" without --foreground: the driver goes on in a process of its
// own, detached from the terminal and its session, writing to its log file
// only, and the command returns once the driver serves, as a service starts.
#pragma once

#include <sys/types.h>

#include <functional>
#include <ostream>
#include <string>

namespace tavrind {

using StartedReport = std::function<void(const std::string& failure)>;

// Runs `serve` in a detached child whose standard streams lead nowhere; the
// child passes `serve` the report to give once (an empty text when serving).
// In the child it returns what `serve` returned, as the child's exit status.
// In the caller it returns 0 once the child serves, after `serving` has been
// told the child's process id, or 1 after writing why not to `err`.
int RunInBackground(const std::function<int(const StartedReport&)>& serve, const std::function<void(pid_t)>& serving,
                    std::ostream& err);

}  // namespace tavrind
