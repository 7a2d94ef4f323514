#include "tests/wine/windows/settings_key.h"

#include "framework/win32/wide_text.h"

namespace wine_test {
namespace {

constexpr wchar_t kKeyPath[] = L"System\\CurrentControlSet\\Services\\Tavrin";

std::string Refused(const char* what, LSTATUS status) {
  return std::string(what) + " refused with error " + std::to_string(status);
}

}  // namespace

std::string SetKeyPresent(bool present) {
  if (!present) {
    const LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKeyPath);
    if (status == ERROR_SUCCESS) RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKeyPath);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? std::string()
                                                                     : Refused("deleting the key", status);
  }
  HKEY key = nullptr;
  const LSTATUS status =
      RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return Refused("making the key", status);
  RegCloseKey(key);
  return {};
}

std::string SetValue(const std::string& name, DWORD type, const std::vector<BYTE>& data) {
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_SET_VALUE, &key);
  if (status != ERROR_SUCCESS) return Refused("opening the key", status);
  status =
      RegSetValueExW(key, framework::win32::Widen(name).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::string() : Refused("storing the value", status);
}

bool ReadStore(std::vector<StoredValue>& values) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    BYTE data[1024];
    DWORD dataLength = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
    values.push_back({framework::win32::Narrow(std::wstring_view(name, nameLength)), type,
                      std::vector<BYTE>(data, data + dataLength)});
  }
  RegCloseKey(key);
  return true;
}

}  // namespace wine_test
