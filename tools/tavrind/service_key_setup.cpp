#include "tools/tavrind/service_key_setup.h"

#include <sys/stat.h>
#include <unistd.h>

#include "tools/tavrind/service_key.h"
#include "winapi/hive.h"
#include "winapi/registry_hive_file.h"
#include "winapi/registry_hive_lock.h"

namespace tavrind {
namespace {

constexpr mode_t kNewHiveMode = S_IFREG | 0644;

std::string Describe(LONG result) { return "registry error " + std::to_string(result); }

}  // namespace

// Under the hive's lock, like every writer of the registry, and replaced
// whole and durably, so readers never see a half-written hive. The hive keeps
// its encoding and line endings.
std::string EnsureServiceKey(const std::string& hivePath, bool& added) {
  added = false;
  auto lock = winapi::HiveLock::Open(hivePath);
  if (!lock) return "cannot open the lock file of " + hivePath;
  winapi::HiveLockGuard guard(*lock);
  if (!guard.Held()) return "cannot lock " + hivePath;

  std::string text;
  winapi::HiveFileVersion current;
  const LONG read = winapi::ReadHiveFile(hivePath, text, current);
  winapi::Hive hive;
  if (read == ERROR_FILE_NOT_FOUND || (read == ERROR_SUCCESS && text.empty())) {
    if (read == ERROR_FILE_NOT_FOUND) current.stamp = {.mode = kNewHiveMode, .owner = geteuid(), .group = getegid()};
    hive = winapi::EmptyHive(winapi::HiveEncoding::Utf8, "\n");
  } else if (read != ERROR_SUCCESS) {
    return "cannot read " + hivePath + ": " + Describe(read);
  } else {
    winapi::HiveError error;
    auto parsed = winapi::ParseHive(text, &error);
    if (!parsed) return hivePath + ":" + std::to_string(error.line) + ": " + error.message + "; not changed";
    if (winapi::HiveHasKey(*parsed, kServiceKeyPath)) return {};
    hive = std::move(*parsed);
  }
  winapi::AddHiveKey(hive, kServiceKeyPath);

  winapi::HiveFileVersion replaced;
  if (const LONG result = winapi::ReplaceHiveFile(hivePath, winapi::SerializeHive(hive), current.stamp, replaced);
      result != ERROR_SUCCESS)
    return "cannot write " + hivePath + ": " + Describe(result);
  added = true;
  return {};
}

}  // namespace tavrind
