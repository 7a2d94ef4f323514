// UUCP lock files: "LCK.." followed by the base name of the device, holding
// the pid of the process that uses it, as ASCII text ("   1234\n") or as a
// binary int. Tools that honour them treat the port as taken.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace winapi {

// The directories searched, by default /var/lock and /run/lock. Tests point
// them at a directory of their own.
void SetUucpLockDirectories(std::vector<std::string> directories);
std::vector<std::string> UucpLockDirectories();

// True when a lock file names devicePath's base name and does not prove stale:
// a live process (or one we may not signal) holds it, or its content cannot be
// read as a pid (being written, or of an unknown format). A lock file of a
// process that no longer exists does not count.
bool IsLockedByUucpLockFile(std::string_view devicePath);

}  // namespace winapi
