// The lock file beside the hive ("<hive>.lock"). Writers hold it exclusively
// (flock) from reading the hive to renaming its replacement, so their changes
// never overwrite each other.
#pragma once

#include <optional>
#include <string>

#include "winapi/unique_fd.h"

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
  explicit HiveLock(UniqueFd fd) : m_fd(std::move(fd)) {}
  UniqueFd m_fd;
};

// Holds a HiveLock for one scope.
class HiveLockGuard {
 public:
  explicit HiveLockGuard(HiveLock& lock) : m_lock(lock), m_held(lock.Acquire()) {}
  ~HiveLockGuard() {
    if (m_held) m_lock.Release();
  }
  HiveLockGuard(const HiveLockGuard&) = delete;
  HiveLockGuard& operator=(const HiveLockGuard&) = delete;
  bool Held() const { return m_held; }

 private:
  HiveLock& m_lock;
  bool m_held;
};

}  // namespace winapi
