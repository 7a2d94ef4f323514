#include "device_open.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "last_error.h"
#include "tty_drivers.h"
#include "uucp_lock.h"

namespace winapi {
namespace {

constexpr int kCommonOpenFlags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;

OpenedDevice Failure(DWORD error) { return OpenedDevice{-1, error}; }

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

// Closes the descriptor and reports the error; for the early returns below.
OpenedDevice CloseAndFail(int fd, DWORD error) {
  close(fd);
  return Failure(error);
}

// The exclusive advisory lock every holder of a device takes; refused means
// another program has the device.
bool LockExclusively(int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }

bool IsSameDevice(int fd, const struct stat& expected) {
  struct stat opened {};
  return fstat(fd, &opened) == 0 && (opened.st_mode & S_IFMT) == (expected.st_mode & S_IFMT) &&
         opened.st_rdev == expected.st_rdev && opened.st_ino == expected.st_ino && opened.st_dev == expected.st_dev;
}

bool IsInExclusiveMode(int fd) {
  int exclusive = 0;
  return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

}  // namespace

OpenedDevice OpenSerialPort(const std::string& entryPath, DWORD desiredAccess) {
  const int accessFlags = AccessFlags(desiredAccess);
  if (accessFlags < 0) return Failure(ERROR_INVALID_PARAMETER);

  // Resolve links first: a dangling link or a loop is no port, and the checks
  // below must all look at the one node that is opened.
  const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(entryPath.c_str(), nullptr), &std::free);
  if (!resolved) return FailureFromErrno(errno);
  const std::string devicePath(resolved.get());

  struct stat node {};
  if (stat(devicePath.c_str(), &node) != 0) return FailureFromErrno(errno);
  if (!S_ISCHR(node.st_mode) || !IsSerialTerminalDevice(node.st_rdev)) return Failure(ERROR_FILE_NOT_FOUND);
  if (IsLockedByUucpLockFile(devicePath)) return Failure(ERROR_SHARING_VIOLATION);

  const int fd = open(devicePath.c_str(), accessFlags | kCommonOpenFlags);
  if (fd < 0) return FailureFromErrno(errno);
  if (!IsSameDevice(fd, node) || !isatty(fd)) return CloseAndFail(fd, ERROR_FILE_NOT_FOUND);
  if (!LockExclusively(fd) || IsInExclusiveMode(fd)) return CloseAndFail(fd, ERROR_SHARING_VIOLATION);
  return OpenedDevice{fd, ERROR_SUCCESS};
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

  const int fd = open(entryPath.c_str(), accessFlags | kCommonOpenFlags);
  if (fd < 0) return FailureFromErrno(errno);
  if (!IsSameDevice(fd, node)) return CloseAndFail(fd, ERROR_FILE_NOT_FOUND);
  if (!LockExclusively(fd)) return CloseAndFail(fd, ERROR_SHARING_VIOLATION);
  return OpenedDevice{fd, ERROR_SUCCESS};
}

}  // namespace winapi
