#include "platform/driver_settings_store.h"

#include <utility>

namespace {

const LPCSTR kServiceKey = "System\\CurrentControlSet\\Services\\Tavrin";

}  // namespace

bool DriverSettingsStore::OpenForRead() { return Open(KEY_READ); }

bool DriverSettingsStore::OpenForWrite() { return Open(KEY_ALL_ACCESS); }

bool DriverSettingsStore::Open(REGSAM access) {
  Close();
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceKey, 0, access, &key) != ERROR_SUCCESS) return false;
  m_key = key;
  return true;
}

DWORD DriverSettingsStore::ReadSetting(LPCSTR portName) const {
  DWORD setting = 0;
  DWORD size = sizeof setting;
  if (RegQueryValueExA(m_key, portName, nullptr, nullptr, reinterpret_cast<LPBYTE>(&setting), &size) != ERROR_SUCCESS) {
    return 0;
  }
  return setting;
}

bool DriverSettingsStore::WriteSetting(LPCSTR portName, DWORD setting) const {
  return RegSetValueExA(m_key, portName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&setting), sizeof setting) ==
         ERROR_SUCCESS;
}

bool DriverSettingsStore::Close() {
  const HKEY key = std::exchange(m_key, nullptr);
  return key == nullptr || RegCloseKey(key) == ERROR_SUCCESS;
}
