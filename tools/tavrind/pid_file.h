// The pid file through which the device console tool finds the running
// driver of a prefix.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace tavrind {

std::string PidFilePath(const std::string& prefix);

// Written whole to a temporary file and renamed into place, so a reader sees
// either no file or the complete pid.
bool WritePidFile(const std::string& path, pid_t pid);

// Removes the file only while it still names pid.
void RemovePidFileOf(const std::string& path, pid_t pid);

// Whether the process is a driver stand-in that has not ended: one that ended
// but was not reaped yet (a zombie) is not.
bool IsLiveDriver(pid_t pid);

// The pid in the file if that process is a live driver stand-in; a stale
// file (ended process, or the pid reused by another program) gives none.
std::optional<pid_t> LiveDriverPid(const std::string& path);

}  // namespace tavrind
