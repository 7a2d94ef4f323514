// Starting and waiting for the Linux programs of a Wine run: Xvfb, wine, the
// template script.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace scenario {

// This process's environment, one "NAME=value" per entry.
std::vector<std::string> CurrentEnvironment();

// Starts `command` (its first word found on PATH) with exactly `environment`;
// standard input, output and error go to the descriptors given (-1:
// /dev/null). -1 when it cannot start.
pid_t StartProcess(const std::vector<std::string>& command, const std::vector<std::string>& environment,
                   int input = -1, int output = -1, int error = -1);
// Waits until the process has ended; its exit status, or -1.
int WaitForProcess(pid_t pid);
// Waits at most `milliseconds`; true when the process has ended.
bool WaitForProcess(pid_t pid, int milliseconds);

// Starts `command` and waits for it; its exit status, or -1.
int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment);

}  // namespace scenario
