// The hive as this process sees it: the version of the file last read, with
// the writes that keys of this process made since laid over it. All keys of
// the process on one hive file share one view, so a value written through
// one key reads back at once through every other; the file is looked at on
// every call, so a change by another program (or by hand) shows at once.
// The writes reach the file together, durably, when a key that made some is
// closed: one rewrite of the hive however many values were written.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "winapi/hive.h"
#include "winapi/registry_hive_file.h"
#include "winapi/registry_hive_lock.h"

namespace winapi {

class HiveView {
 public:
  // The view of the hive file at `path` that the keys open on it share; a new
  // one when none is open on it.
  static std::shared_ptr<HiveView> Of(const std::string& path);

  explicit HiveView(std::string path) : m_path(std::move(path)) {}
  HiveView(const HiveView&) = delete;
  HiveView& operator=(const HiveView&) = delete;

  // Brings the view up to the file: when the file changed since it was
  // read, reads it again and lays this process's unstored writes over it.
  // ERROR_SUCCESS; ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND without a
  // file; ERROR_BADDB (told on standard error) when it does not parse.
  LONG Refresh();

  // After a successful Refresh: whether a header names the key, and its
  // value of that name, or null. The value stays valid until the view changes.
  bool HasKey(std::string_view keyPath);
  const HiveValue* Find(std::string_view keyPath, std::string_view name);

  // After a successful Refresh, for a key that exists: lays a write made
  // through the key `writer` over the view. ERROR_INVALID_PARAMETER when the
  // value cannot be written in the file's syntax and encoding.
  LONG Stage(std::string_view keyPath, const HiveValue& value, const void* writer);

  // Called when the key `writer` closes. When it made writes not stored yet,
  // stores every staged write: under the hive's lock, over the file as it is
  // then, replaced durably (not at all when they change nothing). The result
  // of that, or of an earlier store by another key that failed to store
  // writes of `writer`.
  LONG StoreWritesOf(const void* writer, HiveLock& lock);

 private:
  struct StagedWrite {
    std::string keyPath;
    HiveValue value;
    const void* writer;
  };
  // Where the values of one key are, by lower-case name, the last of each
  // name (the one lookups see), so reading or writing all 225 values does not
  // search the key 225 times.
  using ValueIndex = std::unordered_map<std::string, HiveLinePosition>;

  LONG Reload();
  LONG StoreUnderLock();
  // Null when no header names the key.
  ValueIndex* IndexOf(std::string_view keyPath);
  HiveLine* FindLine(std::string_view keyPath, std::string_view name);
  void DropIndexes();
  // Whether the write changed the hive.
  static bool Lay(Hive& hive, const StagedWrite& write);

  std::string m_path;
  std::optional<Hive> m_hive;  // the file with the staged writes over it; null when it must be read again
  HiveFileVersion m_version;   // the version of the file m_hive was read from
  std::vector<StagedWrite> m_staged;
  bool m_changed = false;              // some staged write differs from the file
  std::map<const void*, LONG> m_lost;  // writers whose writes a failed store dropped, and why
  std::unordered_map<std::string, std::optional<ValueIndex>> m_indexes;  // by lower-case key path
  std::string m_lastKeyPath;                                             // as last asked for, and
  std::optional<ValueIndex>* m_lastIndex = nullptr;                      // its entry in m_indexes
};

}  // namespace winapi
