// The lock file beside the hive ("<hive>.lock"). Writers hold it exclusively
// (flock) from reading the hive to renaming its replacement, so their changes
// never overwrite each other.
#pragma once

#include <optional>
#include <string>

#include "unique_fd.h"

namespace winapi {

class HiveLock {
 public:
  // Opens or creates the lock file of the hive at hivePath; nullopt when it
  // cannot be opened for writing.
  static std::optional<HiveLock> Open(const std::string& hivePath);

  // Blocks until this process holds the lock exclusively; false on error.
  bool Acquire();
  void Release();

 private:
  explicit HiveLock(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;
};

// Holds a HiveLock for one scope.
class HiveLockGuard {
 public:
  explicit HiveLockGuard(HiveLock& lock) : lock_(lock), held_(lock.Acquire()) {}
  ~HiveLockGuard() {
    if (held_) lock_.Release();
  }
  HiveLockGuard(const HiveLockGuard&) = delete;
  HiveLockGuard& operator=(const HiveLockGuard&) = delete;
  bool Held() const { return held_; }

 private:
  HiveLock& lock_;
  bool held_;
};

}  // namespace winapi
