// The hive file on disk: read whole, replaced whole through a temporary file
// and a rename (so a reader sees the old or the new hive, never a mix), and
// made durable on request. Registry results (ERROR_...) report failures.
#pragma once

#include <sys/types.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "hive.h"

namespace winapi {

// What identifies one version of the file: a replacement gives a new inode,
// an edit in place a new size or time.
struct HiveFileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedSeconds = 0;
  long modifiedNanoseconds = 0;
  long long changedSeconds = 0;
  long changedNanoseconds = 0;
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
  friend bool operator==(const HiveFileStamp&, const HiveFileStamp&) = default;
};

// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there is no file, or
// ERROR_ACCESS_DENIED.
LONG StampHiveFile(const std::string& path, HiveFileStamp& stamp);

// The whole text and the stamp of the version read. A file that is not a
// regular file or is too large to be a hive gives ERROR_BADDB and the line on
// standard error.
LONG ReadHiveFile(const std::string& path, std::string& text, HiveFileStamp& stamp);

// Removes the "<path>.tmp" a writer that died mid-write left behind. Writers
// take turns under the hive's lock, so while the caller holds it any such
// file is stale.
void RemoveStaleTemporary(const std::string& path);

// Writes `text` to "<path>.tmp" (removing one a dead writer left), gives it
// the mode and owner of `previous`, and renames it over the hive. The caller
// holds the hive's lock. `replaced` receives the stamp of the new version.
LONG ReplaceHiveFile(const std::string& path, std::string_view text, const HiveFileStamp& previous,
                     HiveFileStamp& replaced);

// Flushes the hive and its directory to the disk.
LONG SyncHiveFile(const std::string& path);

// Whether the hive may be rewritten: the file and its directory have write
// permission for us and are not marked read-only (no write bit at all,
// which holds even for the superuser).
bool IsHiveWritable(const std::string& path);

// One line on standard error: "<path>:<line>: <message>".
void ReportBadHive(const std::string& path, const HiveError& error);

}  // namespace winapi
