#include "registry_open_key.h"

#include <atomic>

#include "hive_text.h"

namespace winapi {
namespace {

// Successful writes through any key of this process.
std::atomic<std::uint64_t> g_writesInProcess{0};

}  // namespace

LONG OpenKey::Open(const std::string& hivePath, std::string keyPath, REGSAM access,
                   std::unique_ptr<OpenKey>& key) {
  std::unique_ptr<OpenKey> opened(new OpenKey(hivePath, std::move(keyPath), (access & KEY_QUERY_VALUE) != 0));
  const bool write = (access & KEY_SET_VALUE) != 0;
  if (const LONG result = opened->Load(write ? std::optional(HiveLock::PeekGeneration(hivePath)) : std::nullopt);
      result != ERROR_SUCCESS) {
    return result;
  }
  if (write) {
    if (!IsHiveWritable(hivePath)) return ERROR_ACCESS_DENIED;
    opened->lock_ = HiveLock::Open(hivePath);
    if (!opened->lock_) return ERROR_ACCESS_DENIED;
  }
  key = std::move(opened);
  return ERROR_SUCCESS;
}

LONG OpenKey::Load(std::optional<std::uint64_t> generation) {
  hive_.reset();
  index_.reset();
  generation_.reset();
  std::string text;
  if (const LONG result = ReadHiveFile(hivePath_, text, stamp_); result != ERROR_SUCCESS) return result;
  HiveError error;
  std::optional<Hive> hive = ParseHive(text, &error);
  if (!hive) {
    ReportBadHive(hivePath_, error);
    return ERROR_BADDB;
  }
  if (!HiveHasKey(*hive, keyPath_)) return ERROR_FILE_NOT_FOUND;
  hive_ = std::move(hive);
  generation_ = generation;
  return ERROR_SUCCESS;
}

LONG OpenKey::LoadIfChanged() {
  HiveFileStamp current;
  if (hive_ && StampHiveFile(hivePath_, current) == ERROR_SUCCESS && current == stamp_) return ERROR_SUCCESS;
  const LONG result = Load(lock_ ? std::optional(lock_->Generation()) : std::nullopt);
  return result == ERROR_FILE_NOT_FOUND ? ERROR_BADKEY : result;  // the key or the hive went away
}

LONG OpenKey::Query(std::string_view valueName, const HiveValue*& value) {
  value = nullptr;
  // Looking at the file costs a system call as dear as the query itself, so
  // the queries of one burst (a program reading all its values) share one
  // look. A write through any handle of this process ends the sharing.
  const Clock::time_point now = Clock::now();
  const std::uint64_t writes = g_writesInProcess.load(std::memory_order_acquire);
  const bool lookedJustNow = hive_ && lookedAt_ && now - *lookedAt_ < kQueriesShareALookFor && writes == writesSeen_;
  if (!lookedJustNow) {
    if (const LONG result = LoadIfChanged(); result != ERROR_SUCCESS) return result;
    lookedAt_ = now;
    writesSeen_ = writes;
  }
  value = FindValue(valueName);
  return value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

const HiveValue* OpenKey::FindValue(std::string_view valueName) {
  const auto lowerCase = [](std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = hive_text::ToLowerAscii(c);
    return lower;
  };
  if (!index_) {
    index_.emplace();
    for (const HiveKey& key : hive_->keys) {
      if (!SameRegistryName(key.path, keyPath_)) continue;
      for (const HiveLine& line : key.lines) {
        if (line.value) (*index_)[lowerCase(line.value->name)] = &*line.value;
      }
    }
  }
  const auto found = index_->find(lowerCase(valueName));
  return found == index_->end() ? nullptr : found->second;
}

LONG OpenKey::Set(const HiveValue& value) {
  if (!lock_) return ERROR_ACCESS_DENIED;
  index_.reset();  // hive_ is changed or read again below
  HiveLockGuard guard(*lock_);
  if (!guard.Held()) return ERROR_ACCESS_DENIED;
  // The stamp alone can miss a replacement that reused the inode within one
  // clock tick; the lock's count cannot.
  const std::uint64_t generation = lock_->Generation();
  if (generation_ != generation) hive_.reset();
  if (const LONG result = LoadIfChanged(); result != ERROR_SUCCESS) return result;

  const HiveValue* current = FindHiveValue(*hive_, keyPath_, value.name);
  const bool unchanged = current && current->type == value.type && current->data == value.data;
  if (unchanged) {
    RemoveStaleTemporary(hivePath_);  // what a write would have removed
  } else {
    if (!SetHiveValue(*hive_, keyPath_, value)) return ERROR_INVALID_PARAMETER;
    HiveFileStamp replaced;
    if (const LONG result = ReplaceHiveFile(hivePath_, SerializeHive(*hive_), stamp_, replaced);
        result != ERROR_SUCCESS) {
      hive_.reset();  // the file still holds the old hive
      return result;
    }
    stamp_ = replaced;
    generation_ = lock_->Advance(generation);
    g_writesInProcess.fetch_add(1, std::memory_order_release);
  }
  unflushed_ = true;
  return ERROR_SUCCESS;
}

LONG OpenKey::Flush() {
  if (!unflushed_) return ERROR_SUCCESS;
  unflushed_ = false;
  return SyncHiveFile(hivePath_);
}

}  // namespace winapi
