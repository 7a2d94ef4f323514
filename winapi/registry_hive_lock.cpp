#include "registry_hive_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace winapi {

std::optional<HiveLock> HiveLock::Open(const std::string& hivePath) {
  const std::string path = hivePath + ".lock";
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!fd.Valid()) return std::nullopt;
  return HiveLock(std::move(fd));
}

std::uint64_t HiveLock::PeekGeneration(const std::string& hivePath) {
  UniqueFd fd(::open((hivePath + ".lock").c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  return fd.Valid() ? HiveLock(std::move(fd)).Generation() : 0;
}

bool HiveLock::Acquire() {
  while (::flock(fd_.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void HiveLock::Release() { ::flock(fd_.Get(), LOCK_UN); }

std::uint64_t HiveLock::Generation() const {
  unsigned char bytes[8] = {};
  if (::pread(fd_.Get(), bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) return 0;
  std::uint64_t generation = 0;
  for (int i = 7; i >= 0; --i) generation = generation << 8 | bytes[i];
  return generation;
}

std::uint64_t HiveLock::Advance(std::uint64_t current) {
  const std::uint64_t next = current + 1;
  unsigned char bytes[8];
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(next >> (8 * i));
  // A lost count only makes the next writer re-read the hive.
  [[maybe_unused]] const ssize_t ignored = ::pwrite(fd_.Get(), bytes, sizeof bytes, 0);
  return next;
}

}  // namespace winapi
