#include "service_key_setup.h"

#include <sys/stat.h>
#include <unistd.h>

#include "hive.h"
#include "registry_hive_file.h"
#include "registry_hive_lock.h"
#include "service_key.h"

namespace tavrind {
namespace {

constexpr char kVersionLine[] = "Windows Registry Editor Version 5.00";
constexpr mode_t kNewHiveMode = S_IFREG | 0644;

std::string Describe(LONG result) { return "registry error " + std::to_string(result); }

}  // namespace

// Under the hive's lock, like every writer of the registry, and replaced
// whole, so readers never see a half-written hive.
std::string EnsureServiceKey(const std::string& hivePath, bool& added) {
  added = false;
  auto lock = winapi::HiveLock::Open(hivePath);
  if (!lock) return "cannot open the lock file of " + hivePath;
  winapi::HiveLockGuard guard(*lock);
  if (!guard.Held()) return "cannot lock " + hivePath;

  std::string text;
  winapi::HiveFileStamp stamp;
  const LONG read = winapi::ReadHiveFile(hivePath, text, stamp);
  std::string newline = "\n";
  if (read == ERROR_FILE_NOT_FOUND || (read == ERROR_SUCCESS && text.empty())) {
    if (read == ERROR_FILE_NOT_FOUND) stamp = {.mode = kNewHiveMode, .owner = geteuid(), .group = getegid()};
    text = std::string(kVersionLine) + newline;
  } else if (read != ERROR_SUCCESS) {
    return "cannot read " + hivePath + ": " + Describe(read);
  } else {
    winapi::HiveError error;
    const auto hive = winapi::ParseHive(text, &error);
    if (!hive) return hivePath + ":" + std::to_string(error.line) + ": " + error.message + "; not changed";
    if (winapi::HiveHasKey(*hive, kServiceKeyPath)) return {};
    newline = hive->newline;
    if (!text.ends_with('\n')) text += newline;
  }
  text += newline + "[" + kServiceKeyPath + "]" + newline;

  winapi::HiveFileStamp replaced;
  if (const LONG result = winapi::ReplaceHiveFile(hivePath, text, stamp, replaced); result != ERROR_SUCCESS)
    return "cannot write " + hivePath + ": " + Describe(result);
  lock->Advance(lock->Generation());
  if (const LONG result = winapi::SyncHiveFile(hivePath); result != ERROR_SUCCESS)
    return "cannot flush " + hivePath + ": " + Describe(result);
  added = true;
  return {};
}

}  // namespace tavrind
