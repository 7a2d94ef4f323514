// One open registry key: a name in the hive view its process shares, and for
// a key opened for writing, the hive's lock under which its writes are stored
// when it closes.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "winapi/hive.h"
#include "winapi/registry_hive_lock.h"
#include "winapi/registry_hive_view.h"

namespace winapi {

class OpenKey {
 public:
  // Opens keyPath (e.g. "HKEY_LOCAL_MACHINE\System\...") in the hive file at
  // hivePath. ERROR_FILE_NOT_FOUND when no header names the key, ERROR_BADDB
  // when the hive does not parse, ERROR_ACCESS_DENIED when writing is asked
  // for and the hive cannot be rewritten.
  static LONG Open(const std::string& hivePath, std::string keyPath, REGSAM access, std::unique_ptr<OpenKey>& key);

  const std::string& Path() const { return m_keyPath; }
  bool MayRead() const { return m_mayRead; }
  bool MayWrite() const { return m_lock.has_value(); }

  // The value as the file holds it now, or as a key of this process wrote it
  // since; null with ERROR_FILE_NOT_FOUND when the key has no such value.
  LONG Query(std::string_view valueName, const HiveValue*& value);
  // Replaces or adds the value: every key of this process reads it at once;
  // the file has it when this key closes.
  LONG Set(const HiveValue& value);
  // Stores what this key wrote, durably; the result tells whether it was.
  LONG Close();

 private:
  OpenKey(std::shared_ptr<HiveView> view, std::string keyPath, bool mayRead)
      : m_view(std::move(view)), m_keyPath(std::move(keyPath)), m_mayRead(mayRead) {}
  // The view brought up to the file, with this key in it; ERROR_BADKEY when
  // the key or the hive went away since the open.
  LONG Look();

  std::shared_ptr<HiveView> m_view;
  std::string m_keyPath;
  bool m_mayRead;
  std::optional<HiveLock> m_lock;  // held by keys opened for writing
};

}  // namespace winapi
