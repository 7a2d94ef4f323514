// Observations of this process and its children, for leak and state checks.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace test_support {

// Polls condition until it holds or the bound runs out; the bound is generous
// and only matters when the condition never comes true.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds bound = std::chrono::milliseconds(20000));

// Entries of /proc/self/fd.
int OpenDescriptorCount();

// Children of this process (zombies included), all or those whose command name
// is `name`.
std::vector<pid_t> Children();
std::vector<pid_t> ChildrenNamed(const std::string& name);

// The state letter of /proc/<pid>/stat ('Z' for a zombie), or 0 when the
// process no longer exists.
char ProcessState(pid_t pid);

}  // namespace test_support
