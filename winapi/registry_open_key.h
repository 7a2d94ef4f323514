// One open registry key: the hive as this handle last saw it, re-read when
// the file has changed, and the writes made through it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "hive.h"
#include "registry_hive_file.h"
#include "registry_hive_lock.h"

namespace winapi {

class OpenKey {
 public:
  // Opens keyPath (e.g. "HKEY_LOCAL_MACHINE\System\...") in the hive file at
  // hivePath. ERROR_FILE_NOT_FOUND when no header names the key, ERROR_BADDB
  // when the hive does not parse, ERROR_ACCESS_DENIED when writing is asked
  // for and the hive cannot be rewritten.
  static LONG Open(const std::string& hivePath, std::string keyPath, REGSAM access, std::unique_ptr<OpenKey>& key);

  const std::string& Path() const { return keyPath_; }
  bool MayRead() const { return mayRead_; }
  bool MayWrite() const { return lock_.has_value(); }

  // A query within this time of the last query that looked at the file
  // answers from what that one saw, as if it had come that much earlier,
  // unless this process wrote through any key since. Writes always look.
  static constexpr std::chrono::milliseconds kQueriesShareALookFor{1};

  // The value as the file holds it now (or held it at most
  // kQueriesShareALookFor ago, as above); null with ERROR_FILE_NOT_FOUND when
  // the key has no such value.
  LONG Query(std::string_view valueName, const HiveValue*& value);
  // Replaces or adds the value; on success the new hive is in the file.
  LONG Set(const HiveValue& value);
  // Makes what this key wrote durable.
  LONG Flush();

 private:
  OpenKey(std::string hivePath, std::string keyPath, bool mayRead)
      : hivePath_(std::move(hivePath)), keyPath_(std::move(keyPath)), mayRead_(mayRead) {}
  // Reads and parses the file. `generation` is the lock's count read before
  // the file: writers raise it after their rename, so the file read is at
  // least that new, and a newer one shows as a changed count later.
  LONG Load(std::optional<std::uint64_t> generation);
  LONG LoadIfChanged();
  const HiveValue* FindValue(std::string_view valueName);

  std::string hivePath_;
  std::string keyPath_;
  bool mayRead_;
  std::optional<HiveLock> lock_;  // held by keys opened for writing
  std::optional<Hive> hive_;      // null when the file must be read again
  // hive_'s values of this key by lower-case name, the last of each name, so
  // that reading all 225 values does not search the key once per value. Built
  // by the first query after hive_ was read; dropped whenever hive_ changes.
  std::optional<std::unordered_map<std::string, const HiveValue*>> index_;
  HiveFileStamp stamp_;
  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> lookedAt_;  // when the last query that looked began
  std::uint64_t writesSeen_ = 0;               // the process's write count then
  std::optional<std::uint64_t> generation_;  // the lock's count that hive_ matches; null when unknown
  bool unflushed_ = false;
};

}  // namespace winapi
