#include "winapi/registry_hive_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace winapi {

std::optional<HiveLock> HiveLock::Open(const std::string& hivePath) {
  const std::string path = hivePath + ".lock";
  UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!fd.Valid()) return std::nullopt;
  return HiveLock(std::move(fd));
}

bool HiveLock::Acquire() {
  while (::flock(m_fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void HiveLock::Release() { ::flock(m_fd.Get(), LOCK_UN); }

}  // namespace winapi
