// A HANDLE this program opened and closes exactly once: when it is closed by
// hand, reassigned or goes out of scope. Both "no handle" values of the
// platform's calls, INVALID_HANDLE_VALUE (CreateFileA) and NULL
// (ShellExecuteExA's process), stand for no handle.
#pragma once

#include <utility>

#include <windows.h>

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : m_handle(IsNone(handle) ? INVALID_HANDLE_VALUE : handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      m_handle = std::exchange(other.m_handle, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  // The handle for the platform's calls, INVALID_HANDLE_VALUE when none is open.
  HANDLE Get() const { return m_handle; }
  // Closes the handle if one is open; afterwards none is.
  void Close() {
    const HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
    if (!IsNone(handle)) CloseHandle(handle);
  }

 private:
  static bool IsNone(HANDLE handle) { return handle == INVALID_HANDLE_VALUE || handle == nullptr; }

  HANDLE m_handle = INVALID_HANDLE_VALUE;
};
