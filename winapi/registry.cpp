// The registry calls over the hive file <prefix>/hklm.reg. Handles are the
// addresses of OpenKey records; only handles this file returned are accepted.
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

#include "winapi/registry_open_key.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace winapi {
namespace {

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::map<HKEY, std::unique_ptr<OpenKey>>& OpenKeys() {
  static std::map<HKEY, std::unique_ptr<OpenKey>> keys;
  return keys;
}

std::atomic<bool>& WritesFail() {
  static std::atomic<bool> fail{false};
  return fail;
}

OpenKey* FindOpenKey(HKEY handle) {
  const auto found = OpenKeys().find(handle);
  return found == OpenKeys().end() ? nullptr : found->second.get();
}

}  // namespace

int OpenKeyCount() {
  std::lock_guard guard(RegistryMutex());
  return static_cast<int>(OpenKeys().size());
}

void SetRegistryWritesFail(bool fail) { WritesFail() = fail; }

}  // namespace winapi

using winapi::FindOpenKey;
using winapi::HiveValue;
using winapi::OpenKey;

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired, PHKEY phkResult) {
  std::lock_guard guard(winapi::RegistryMutex());
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  std::string path;
  if (hKey == HKEY_LOCAL_MACHINE) {
    path = "HKEY_LOCAL_MACHINE";
  } else if (const OpenKey* base = FindOpenKey(hKey)) {
    path = base->Path();
  } else {
    return ERROR_INVALID_HANDLE;
  }
  if (lpSubKey && *lpSubKey) path.append("\\").append(lpSubKey);

  std::unique_ptr<OpenKey> key;
  if (const LONG result = OpenKey::Open(winapi::Prefix() + "/hklm.reg", std::move(path), samDesired, key);
      result != ERROR_SUCCESS) {
    return result;
  }
  const HKEY handle = reinterpret_cast<HKEY>(key.get());
  winapi::OpenKeys().emplace(handle, std::move(key));
  *phkResult = handle;
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
  std::lock_guard guard(winapi::RegistryMutex());
  OpenKey* key = FindOpenKey(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  if (!key->MayRead()) return ERROR_ACCESS_DENIED;

  const HiveValue* value = nullptr;
  if (const LONG result = key->Query(lpValueName ? lpValueName : "", value); result != ERROR_SUCCESS) return result;
  if (lpType) *lpType = value->type;
  const auto size = static_cast<DWORD>(value->data.size());
  if (lpData) {
    if (size > *lpcbData) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    // Only `size` bytes are written: the rest of the caller's buffer stays as it was.
    if (size > 0) std::memcpy(lpData, value->data.data(), size);
  }
  if (lpcbData) *lpcbData = size;
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  std::lock_guard guard(winapi::RegistryMutex());
  OpenKey* key = FindOpenKey(hKey);
  if (!key) return ERROR_INVALID_HANDLE;
  if (!key->MayWrite() || winapi::WritesFail()) return ERROR_ACCESS_DENIED;
  if (!lpData && cbData > 0) return ERROR_INVALID_PARAMETER;

  HiveValue value{lpValueName ? lpValueName : "", dwType, {}};
  if (cbData > 0) value.data.assign(lpData, lpData + cbData);
  return key->Set(value);
}

LONG RegCloseKey(HKEY hKey) {
  std::lock_guard guard(winapi::RegistryMutex());
  const auto found = winapi::OpenKeys().find(hKey);
  if (found == winapi::OpenKeys().end()) return ERROR_INVALID_HANDLE;
  const LONG result = found->second->Close();
  winapi::OpenKeys().erase(found);
  return result;
}
