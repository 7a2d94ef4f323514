#include "winapi/registry_open_key.h"

namespace winapi {

LONG OpenKey::Open(const std::string& hivePath, std::string keyPath, REGSAM access, std::unique_ptr<OpenKey>& key) {
  std::unique_ptr<OpenKey> opened(
      new OpenKey(HiveView::Of(hivePath), std::move(keyPath), (access & KEY_QUERY_VALUE) != 0));
  if (const LONG result = opened->m_view->Refresh(); result != ERROR_SUCCESS) return result;
  if (!opened->m_view->HasKey(opened->m_keyPath)) return ERROR_FILE_NOT_FOUND;
  if ((access & KEY_SET_VALUE) != 0) {
    if (!IsHiveWritable(hivePath)) return ERROR_ACCESS_DENIED;
    opened->m_lock = HiveLock::Open(hivePath);
    if (!opened->m_lock) return ERROR_ACCESS_DENIED;
  }
  key = std::move(opened);
  return ERROR_SUCCESS;
}

LONG OpenKey::Look() {
  const LONG result = m_view->Refresh();
  if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND) return ERROR_BADKEY;
  if (result != ERROR_SUCCESS) return result;
  return m_view->HasKey(m_keyPath) ? ERROR_SUCCESS : ERROR_BADKEY;
}

LONG OpenKey::Query(std::string_view valueName, const HiveValue*& value) {
  value = nullptr;
  if (const LONG result = Look(); result != ERROR_SUCCESS) return result;
  value = m_view->Find(m_keyPath, valueName);
  return value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG OpenKey::Set(const HiveValue& value) {
  if (!m_lock) return ERROR_ACCESS_DENIED;
  if (const LONG result = Look(); result != ERROR_SUCCESS) return result;
  return m_view->Stage(m_keyPath, value, this);
}

LONG OpenKey::Close() { return m_lock ? m_view->StoreWritesOf(this, *m_lock) : ERROR_SUCCESS; }

}  // namespace winapi
