#include "winapi/uucp_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

namespace winapi {
namespace {

std::mutex directoriesMutex;
std::vector<std::string> lockDirectories = {"/var/lock", "/run/lock"};
// lockDirectories as searched; empty until first needed.
std::vector<std::string> searchedDirectories;

constexpr std::size_t kLongestLockFile = 64;

bool IsAsciiPidCharacter(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) || std::isspace(static_cast<unsigned char>(c));
}

// The pid in a lock file's content; nothing when it is neither form.
std::optional<pid_t> PidOfLockFile(const std::string& content) {
  if (!content.empty() && std::all_of(content.begin(), content.end(), IsAsciiPidCharacter)) {
    long long value = 0;
    bool sawDigit = false;
    for (char c : content) {
      if (!std::isdigit(static_cast<unsigned char>(c))) {
        if (sawDigit) break;
        continue;
      }
      sawDigit = true;
      value = value * 10 + (c - '0');
      if (value > 0x7fffffff) return std::nullopt;
    }
    if (!sawDigit || value == 0) return std::nullopt;
    return static_cast<pid_t>(value);
  }
  if (content.size() == sizeof(int)) {
    int value = 0;
    std::memcpy(&value, content.data(), sizeof value);
    if (value > 0) return static_cast<pid_t>(value);
  }
  return std::nullopt;
}

// The file's content, or nothing when there is no such file. Most ports have
// none, and asking whether a name exists costs less than failing to open it.
std::optional<std::string> ReadLockFile(const std::string& path) {
  if (faccessat(AT_FDCWD, path.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
    return std::nullopt;
  }
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    return std::string();  // there but unreadable: cannot prove it stale
  }
  char buffer[kLongestLockFile + 1];
  const ssize_t count = read(fd, buffer, sizeof buffer);
  close(fd);
  if (count < 0) return std::string();
  return std::string(buffer, static_cast<std::size_t>(count));
}

// Each directory once, by its resolved path: /var/lock is a link to /run/lock
// on most systems, and every probe of a port searches every directory. One
// that does not resolve is searched as given.
std::vector<std::string> ResolvedOnce(const std::vector<std::string>& directories) {
  std::vector<std::string> resolved;
  for (const std::string& directory : directories) {
    char* real = realpath(directory.c_str(), nullptr);
    std::string path = real != nullptr ? real : directory;
    std::free(real);
    if (std::find(resolved.begin(), resolved.end(), path) == resolved.end()) resolved.push_back(std::move(path));
  }
  return resolved;
}

// Resolved when first searched after being set: the links between lock
// directories are part of the system's layout and do not change while a
// program runs. The caller holds directoriesMutex.
const std::vector<std::string>& SearchedDirectories() {
  if (searchedDirectories.empty()) searchedDirectories = ResolvedOnce(lockDirectories);
  return searchedDirectories;
}

bool IsLiveProcess(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

void SetUucpLockDirectories(std::vector<std::string> directories) {
  std::lock_guard lock(directoriesMutex);
  lockDirectories = std::move(directories);
  searchedDirectories.clear();
}

std::vector<std::string> UucpLockDirectories() {
  std::lock_guard lock(directoriesMutex);
  return lockDirectories;
}

bool IsLockedByUucpLockFile(std::string_view devicePath) {
  const std::string_view deviceName = BaseName(devicePath);
  std::lock_guard lock(directoriesMutex);
  std::string lockPath;
  for (const std::string& directory : SearchedDirectories()) {
    lockPath.assign(directory).append("/LCK..").append(deviceName);
    const std::optional<std::string> content = ReadLockFile(lockPath);
    if (!content) continue;
    const std::optional<pid_t> pid = PidOfLockFile(*content);
    if (!pid || IsLiveProcess(*pid)) return true;
  }
  return false;
}

}  // namespace winapi
