#include "winapi/handles.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

namespace winapi {
namespace {

// Handle values are multiples of 4 from 0x100 on, as on the platform; a 64-bit
// counter does not wrap in the life of a process.
constexpr std::uintptr_t kFirstHandleValue = 0x100;
constexpr std::uintptr_t kHandleStep = 4;

// Sorted by handle value without a tree: values only grow, so a new handle
// goes at the end, and the table allocates nothing once it has grown to the
// handles a program keeps open at once (start-up opens and closes 225).
struct HandleTable {
  using Entry = std::pair<std::uintptr_t, std::shared_ptr<HandleObject>>;
  std::mutex mutex;
  std::vector<Entry> objects;
  std::uintptr_t nextValue = kFirstHandleValue;

  std::vector<Entry>::iterator Find(std::uintptr_t value) {
    const auto found = std::lower_bound(objects.begin(), objects.end(), value,
                                        [](const Entry& entry, std::uintptr_t wanted) { return entry.first < wanted; });
    return found != objects.end() && found->first == value ? found : objects.end();
  }
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
  table.objects.emplace_back(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<HandleObject> FindHandleObject(HANDLE handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.Find(ValueOf(handle));
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
    const auto found = table.Find(winapi::ValueOf(hObject));
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
