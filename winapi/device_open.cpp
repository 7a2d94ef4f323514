#include "winapi/device_open.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <utility>

#include "winapi/last_error.h"
#include "winapi/tty_drivers.h"
#include "winapi/unique_fd.h"
#include "winapi/uucp_lock.h"

namespace winapi {
namespace {

constexpr int kCommonOpenFlags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;

OpenedDevice Failure(DWORD error) { return OpenedDevice{UniqueFd(), error}; }

OpenedDevice FailureFromErrno(int errnoValue) { return Failure(ErrorFromErrno(errnoValue)); }

// -1 when the access mask asks for neither reading nor writing.
int AccessFlags(DWORD desiredAccess) {
  const bool reads = (desiredAccess & GENERIC_READ) != 0;
  const bool writes = (desiredAccess & GENERIC_WRITE) != 0;
  if (reads && writes) return O_RDWR;
  if (reads) return O_RDONLY;
  if (writes) return O_WRONLY;
  return -1;
}

// The exclusive advisory lock every holder of a device takes; refused means
// another program has the device.
bool LockExclusively(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

bool IsSameDevice(int fd, const struct stat& expected) {
  struct stat opened {};
  return fstat(fd, &opened) == 0 && (opened.st_mode & S_IFMT) == (expected.st_mode & S_IFMT) &&
         opened.st_rdev == expected.st_rdev && opened.st_ino == expected.st_ino && opened.st_dev == expected.st_dev;
}

// Where an entry leads: the device node's path (its base name names its UUCP
// lock file) and its status, links resolved.
struct LocatedNode {
  std::string path;
  struct stat status {};
};

// Any shape of entry: the kernel resolves the links once, opening nothing, and
// tells the path of the node it found.
DWORD LocateThroughKernel(const std::string& entryPath, LocatedNode& located) {
  const UniqueFd fd(open(entryPath.c_str(), O_PATH | O_CLOEXEC));
  if (!fd.Valid() || fstat(fd.Get(), &located.status) != 0) return ErrorFromErrno(errno);
  const std::string link = "/proc/self/fd/" + std::to_string(fd.Get());
  char path[PATH_MAX];
  const ssize_t length = readlink(link.c_str(), path, sizeof path);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path || path[0] != '/') return ERROR_FILE_NOT_FOUND;
  located.path.assign(path, static_cast<std::size_t>(length));
  return ERROR_SUCCESS;
}

// An entry is normally the device node itself or one link with an absolute
// target straight to it; one readlink and one lstat resolve that, a third of
// the general way's cost, which start-up pays for each of its 225 probes.
DWORD Locate(const std::string& entryPath, LocatedNode& located) {
  char target[PATH_MAX];
  const ssize_t length = readlink(entryPath.c_str(), target, sizeof target);
  if (length < 0 && errno != EINVAL) return ErrorFromErrno(errno);  // EINVAL: not a link
  if (length == 0 || static_cast<std::size_t>(length) >= sizeof target || (length > 0 && target[0] != '/')) {
    return LocateThroughKernel(entryPath, located);
  }
  located.path = length < 0 ? entryPath : std::string(target, static_cast<std::size_t>(length));
  if (lstat(located.path.c_str(), &located.status) != 0) return ErrorFromErrno(errno);
  if (S_ISLNK(located.status.st_mode)) return LocateThroughKernel(entryPath, located);  // a chain of links
  return ERROR_SUCCESS;
}

// Whether the terminal is in exclusive mode (TIOCEXCL); nothing for what is
// not a terminal, since only a terminal answers, so the one call also tells
// that it is one.
std::optional<bool> ExclusiveModeOf(int fd) {
  int exclusive = 0;
  if (ioctl(fd, TIOCGEXCL, &exclusive) != 0) return std::nullopt;
  return exclusive != 0;
}

}  // namespace

OpenedDevice OpenSerialPort(const std::string& entryPath, DWORD desiredAccess) {
  const int accessFlags = AccessFlags(desiredAccess);
  if (accessFlags < 0) return Failure(ERROR_INVALID_PARAMETER);

  // Every check below looks at the one node the entry leads to, and the
  // descriptor opened is proved to be that node: a dangling link or a loop is
  // no port.
  LocatedNode located;
  if (const DWORD error = Locate(entryPath, located); error != ERROR_SUCCESS) return Failure(error);
  const struct stat& node = located.status;
  if (!S_ISCHR(node.st_mode) || !IsSerialTerminalDevice(node.st_rdev)) return Failure(ERROR_FILE_NOT_FOUND);
  if (IsLockedByUucpLockFile(located.path)) return Failure(ERROR_SHARING_VIOLATION);

  UniqueFd fd(open(located.path.c_str(), accessFlags | kCommonOpenFlags));
  if (!fd.Valid()) return FailureFromErrno(errno);
  if (!IsSameDevice(fd.Get(), node)) return Failure(ERROR_FILE_NOT_FOUND);
  const std::optional<bool> exclusive = ExclusiveModeOf(fd.Get());
  if (!exclusive) return Failure(ERROR_FILE_NOT_FOUND);
  if (*exclusive || !LockExclusively(fd.Get())) return Failure(ERROR_SHARING_VIOLATION);
  return OpenedDevice{std::move(fd), ERROR_SUCCESS};
}

OpenedDevice OpenOtherDevice(const std::string& entryPath, DWORD desiredAccess) {
  struct stat node {};
  if (stat(entryPath.c_str(), &node) != 0) return FailureFromErrno(errno);

  int accessFlags = AccessFlags(desiredAccess);
  if (S_ISFIFO(node.st_mode)) {
    // Only ever written; opening the write end without blocking fails with
    // ENXIO while nobody reads, that is while the driver is not running.
    if ((desiredAccess & GENERIC_WRITE) == 0) return Failure(ERROR_ACCESS_DENIED);
    accessFlags = O_WRONLY;
  } else if (!S_ISCHR(node.st_mode)) {
    return Failure(ERROR_FILE_NOT_FOUND);
  }
  if (accessFlags < 0) return Failure(ERROR_INVALID_PARAMETER);

  UniqueFd fd(open(entryPath.c_str(), accessFlags | kCommonOpenFlags));
  if (!fd.Valid()) return FailureFromErrno(errno);
  if (!IsSameDevice(fd.Get(), node)) return Failure(ERROR_FILE_NOT_FOUND);
  if (!LockExclusively(fd.Get())) return Failure(ERROR_SHARING_VIOLATION);
  return OpenedDevice{std::move(fd), ERROR_SUCCESS};
}

}  // namespace winapi
