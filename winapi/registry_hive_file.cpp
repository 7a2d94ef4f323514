#include "winapi/registry_hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "base/write_all.h"
#include "winapi/last_error.h"

namespace winapi {
namespace {

constexpr off_t kLargestHive = 64 * 1024 * 1024;

HiveFileStamp StampOf(const struct stat& status) {
  HiveFileStamp stamp;
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modifiedSeconds = status.st_mtim.tv_sec;
  stamp.modifiedNanoseconds = status.st_mtim.tv_nsec;
  stamp.changedSeconds = status.st_ctim.tv_sec;
  stamp.changedNanoseconds = status.st_ctim.tv_nsec;
  stamp.mode = status.st_mode;
  stamp.owner = status.st_uid;
  stamp.group = status.st_gid;
  stamp.links = status.st_nlink;
  return stamp;
}

// A failed call's registry result; never ERROR_SUCCESS, even if errno was not set.
LONG FailureFromErrno(int error) {
  const DWORD result = ErrorFromErrno(error);
  return static_cast<LONG>(result == ERROR_SUCCESS ? ERROR_WRITE_FAULT : result);
}

std::string TemporaryOf(const std::string& path) { return path + ".tmp"; }

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncDirectory(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd.Valid() && ::fsync(fd.Get()) == 0 && fd.Close();
}

bool MarkedWritable(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) != 0 &&
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

bool HiveFileVersion::Unchanged() const {
  struct stat status;
  return fd.Valid() && ::fstat(fd.Get(), &status) == 0 && StampOf(status) == stamp;
}

LONG ReadHiveFile(const std::string& path, std::string& text, HiveFileVersion& version) {
  // Non-blocking, so that a FIFO put in the hive's place cannot hang the open.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) return FailureFromErrno(errno);
  struct stat status;
  if (::fstat(fd.Get(), &status) != 0) return FailureFromErrno(errno);
  if (!S_ISREG(status.st_mode)) {
    ReportBadHive(path, {0, "not a regular file"});
    return ERROR_BADDB;
  }
  if (status.st_size > kLargestHive) {
    ReportBadHive(path, {0, "larger than 64 MiB, too large for a hive"});
    return ERROR_BADDB;
  }
  text.resize(static_cast<std::size_t>(status.st_size));
  std::size_t filled = 0;
  while (true) {
    if (filled == text.size()) {
      if (text.size() > static_cast<std::size_t>(kLargestHive)) {
        ReportBadHive(path, {0, "larger than 64 MiB, too large for a hive"});
        return ERROR_BADDB;
      }
      text.resize(text.size() + 4096);  // the file grew since fstat; read on to its end
    }
    const ssize_t count = ::read(fd.Get(), text.data() + filled, text.size() - filled);
    if (count < 0) {
      if (errno == EINTR) continue;
      return FailureFromErrno(errno);
    }
    if (count == 0) break;
    filled += static_cast<std::size_t>(count);
  }
  text.resize(filled);
  // Stamped as it was before the read: a file that changed while it was read
  // shows as changed at the next look, and is read again.
  version.stamp = StampOf(status);
  version.fd = std::move(fd);
  return ERROR_SUCCESS;
}

void RemoveStaleTemporary(const std::string& path) { ::unlink(TemporaryOf(path).c_str()); }

LONG ReplaceHiveFile(const std::string& path, std::string_view text, const HiveFileStamp& previous,
                     HiveFileVersion& replaced) {
  RemoveStaleTemporary(path);
  const std::string temporary = TemporaryOf(path);
  UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.Valid()) return FailureFromErrno(errno);
  const bool written = base::WriteAll(fd.Get(), text) && ::fchmod(fd.Get(), previous.mode & 07777) == 0 &&
                       ((previous.owner == ::geteuid() && previous.group == ::getegid()) ||
                        ::fchown(fd.Get(), previous.owner, previous.group) == 0 || errno == EPERM) &&
                       ::fsync(fd.Get()) == 0 && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!written) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return FailureFromErrno(error);
  }
  // Stamped after the rename, which changes the inode's change time.
  struct stat status;
  if (::fstat(fd.Get(), &status) != 0) return FailureFromErrno(errno);
  replaced.stamp = StampOf(status);
  replaced.fd = std::move(fd);
  if (!SyncDirectory(DirectoryOf(path))) return FailureFromErrno(errno);
  return ERROR_SUCCESS;
}

bool IsHiveWritable(const std::string& path) { return MarkedWritable(path) && MarkedWritable(DirectoryOf(path)); }

void ReportBadHive(const std::string& path, const HiveError& error) {
  std::string line = path;
  if (error.line > 0) line.append(":").append(std::to_string(error.line));
  line.append(": ").append(error.message).append("\n");
  // One write, so the line is not interleaved with other output.
  [[maybe_unused]] const ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
}

}  // namespace winapi
