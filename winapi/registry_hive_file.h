// The hive file on disk: read whole, and replaced whole and durably through a
// temporary file and a rename (so a reader sees the old or the new hive, never
// a mix, and a crash leaves one of the two). Registry results (ERROR_...)
// report failures.
#pragma once

#include <sys/types.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "winapi/hive.h"
#include "winapi/unique_fd.h"

namespace winapi {

// What identifies one version of the file: a replacement gives a new inode
// and drops the old one's links to 0, an edit in place a new size or time.
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
  nlink_t links = 0;
  friend bool operator==(const HiveFileStamp&, const HiveFileStamp&) = default;
};

// One version of the file, held open: while the descriptor is open its inode
// cannot be reused, so the stamp of the descriptor tells whether the path
// still names this version.
struct HiveFileVersion {
  UniqueFd fd;
  HiveFileStamp stamp;
  // Whether the file is still as read: same links, size and times.
  bool Unchanged() const;
};

// The whole text and the version read. A file that is not a regular file or
// is too large to be a hive gives ERROR_BADDB and the line on standard error.
LONG ReadHiveFile(const std::string& path, std::string& text, HiveFileVersion& version);

// Removes the "<path>.tmp" a writer that died mid-write left behind. Writers
// take turns under the hive's lock, so while the caller holds it any such
// file is stale.
void RemoveStaleTemporary(const std::string& path);

// Writes `text` to "<path>.tmp" (removing one a dead writer left), gives it
// the mode and owner of `previous`, flushes it to the disk, renames it over
// the hive and flushes the directory, so the new hive survives a crash once
// this returns. The caller holds the hive's lock. `replaced` receives the new
// version. A failure before the rename leaves the old hive; one after it (the
// directory's flush) leaves the new hive in place and is still reported.
LONG ReplaceHiveFile(const std::string& path, std::string_view text, const HiveFileStamp& previous,
                     HiveFileVersion& replaced);

// Whether the hive may be rewritten: the file and its directory have write
// permission for us and are not marked read-only (no write bit at all,
// which holds even for the superuser).
bool IsHiveWritable(const std::string& path);

// One line on standard error: "<path>:<line>: <message>".
void ReportBadHive(const std::string& path, const HiveError& error);

}  // namespace winapi
