#include "handles.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace winapi {
namespace {

// Handle values are multiples of 4 from 0x100 on, as on the platform; a 64-bit
// counter does not wrap in the life of a process.
constexpr std::uintptr_t kFirstHandleValue = 0x100;
constexpr std::uintptr_t kHandleStep = 4;

struct HandleTable {
  std::mutex mutex;
  std::map<std::uintptr_t, std::shared_ptr<HandleObject>> objects;
  std::uintptr_t nextValue = kFirstHandleValue;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

std::uintptr_t ValueOf(HANDLE handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

HANDLE RegisterHandle(std::shared_ptr<HandleObject> object) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const std::uintptr_t value = table.nextValue;
  table.nextValue += kHandleStep;
  table.objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<HandleObject> FindHandleObject(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.objects.find(ValueOf(handle));
  return found == table.objects.end() ? nullptr : found->second;
}

int CountOpenHandles(bool (*matches)(const HandleObject& object)) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  int count = 0;
  for (const auto& [value, object] : table.objects) count += matches(*object) ? 1 : 0;
  return count;
}

}  // namespace winapi

BOOL CloseHandle(HANDLE hObject) {
  std::shared_ptr<winapi::HandleObject> released;
  {
    winapi::HandleTable& table = winapi::Table();
    std::lock_guard lock(table.mutex);
    const auto found = table.objects.find(winapi::ValueOf(hObject));
    if (found == table.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    released = std::move(found->second);
    table.objects.erase(found);
  }
  // The object is released outside the lock: a process handle may start a reaper.
  released.reset();
  return TRUE;
}
