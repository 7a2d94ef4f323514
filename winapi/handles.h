// The handle table: a HANDLE is a number that names one open object (a device
// file or a child process). Numbers are never reused, so a stale or doubly
// closed handle can never reach another object. Internal to the stand-in.
#pragma once

#include <memory>

#include "winapi/windows.h"

namespace winapi {

// An object a HANDLE stands for. Dropping the last reference releases it.
class HandleObject {
 public:
  virtual ~HandleObject() = default;
};

HANDLE RegisterHandle(std::shared_ptr<HandleObject> object);

// The object behind an open handle, or nullptr for anything else.
std::shared_ptr<HandleObject> FindHandleObject(HANDLE handle);

template <class Object>
std::shared_ptr<Object> FindHandle(HANDLE handle) {
  return std::dynamic_pointer_cast<Object>(FindHandleObject(handle));
}

// How many open handles name an object for which matches is true.
int CountOpenHandles(bool (*matches)(const HandleObject& object));

}  // namespace winapi
