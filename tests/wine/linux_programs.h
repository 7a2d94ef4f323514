// Starting and waiting for the Linux programs of a Wine run: wine, its server,
// Xvfb, the template script.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace wine_test {

// This process's environment, one "NAME=value" per entry.
std::vector<std::string> CurrentEnvironment();

// Starts `command` (its first word found on PATH) with exactly `environment`;
// standard input, output and error go to the descriptors given (-1:
// /dev/null). -1 when it cannot start.
pid_t StartProcess(const std::vector<std::string>& command, const std::vector<std::string>& environment, int input = -1,
                   int output = -1, int error = -1);
// Waits until the process has ended; its exit status, or -1 (killed, or
// reaped elsewhere).
int WaitForProcess(pid_t pid);
// Waits at most `limit`: the exit status as above once the process has
// ended, nothing while it still runs.
std::optional<int> WaitForProcess(pid_t pid, std::chrono::milliseconds limit);

// Starts `command` and waits for it; its exit status, or -1.
int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment);

}  // namespace wine_test
