// The lock file beside the hive ("<hive>.lock"). Writers hold it exclusively
// (flock) from reading the hive to renaming its replacement, so their changes
// never overwrite each other. It also holds a generation count that each
// write raises: with the file's stamp it tells a writer whether the hive it
// parsed earlier is still the current one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "registry_unique_fd.h"

namespace winapi {

class HiveLock {
 public:
  // Opens or creates the lock file of the hive at hivePath; nullopt when it
  // cannot be opened for writing.
  static std::optional<HiveLock> Open(const std::string& hivePath);

  // The generation without opening the lock for writing or creating it; 0
  // when there is no lock file yet.
  static std::uint64_t PeekGeneration(const std::string& hivePath);

  // Blocks until this process holds the lock exclusively; false on error.
  bool Acquire();
  void Release();

  std::uint64_t Generation() const;
  // Stores the next generation and returns it.
  std::uint64_t Advance(std::uint64_t current);

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
