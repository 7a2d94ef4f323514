#include "registry_open_key.h"

namespace winapi {

LONG OpenKey::Open(const std::string& hivePath, std::string keyPath, REGSAM access,
                   std::unique_ptr<OpenKey>& key) {
  std::unique_ptr<OpenKey> opened(
      new OpenKey(HiveView::Of(hivePath), std::move(keyPath), (access & KEY_QUERY_VALUE) != 0));
  if (const LONG result = opened->view_->Refresh(); result != ERROR_SUCCESS) return result;
  if (!opened->view_->HasKey(opened->keyPath_)) return ERROR_FILE_NOT_FOUND;
  if ((access & KEY_SET_VALUE) != 0) {
    if (!IsHiveWritable(hivePath)) return ERROR_ACCESS_DENIED;
    opened->lock_ = HiveLock::Open(hivePath);
    if (!opened->lock_) return ERROR_ACCESS_DENIED;
  }
  key = std::move(opened);
  return ERROR_SUCCESS;
}

LONG OpenKey::Look() {
  const LONG result = view_->Refresh();
  if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND) return ERROR_BADKEY;
  if (result != ERROR_SUCCESS) return result;
  return view_->HasKey(keyPath_) ? ERROR_SUCCESS : ERROR_BADKEY;
}

LONG OpenKey::Query(std::string_view valueName, const HiveValue*& value) {
  value = nullptr;
  if (const LONG result = Look(); result != ERROR_SUCCESS) return result;
  value = view_->Find(keyPath_, valueName);
  return value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG OpenKey::Set(const HiveValue& value) {
  if (!lock_) return ERROR_ACCESS_DENIED;
  if (const LONG result = Look(); result != ERROR_SUCCESS) return result;
  return view_->Stage(keyPath_, value, this);
}

LONG OpenKey::Close() { return lock_ ? view_->StoreWritesOf(this, *lock_) : ERROR_SUCCESS; }

}  // namespace winapi
