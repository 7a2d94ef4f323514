// CreateFileA, WriteFile and the device-file handles they use.
#include <utility>

#include "winapi/device_namespace.h"
#include "winapi/device_open.h"
#include "winapi/device_write.h"
#include "winapi/handles.h"
#include "winapi/last_error.h"
#include "winapi/stand_in.h"
#include "winapi/unique_fd.h"

namespace winapi {
namespace {

// One open device; the descriptor is closed with the last reference.
class DeviceFile final : public HandleObject {
 public:
  explicit DeviceFile(UniqueFd fd) : m_fd(std::move(fd)) {}

  int fd() const { return m_fd.Get(); }

 private:
  UniqueFd m_fd;
};

}  // namespace

int OpenFileHandleCount() {
  return CountOpenHandles(
      [](const HandleObject& object) { return dynamic_cast<const DeviceFile*>(&object) != nullptr; });
}

}  // namespace winapi

// Only the device namespace ("\\.\NAME") exists on this platform, and only
// existing devices can be opened. Every device is opened for exclusive use,
// whatever the share mode asks.
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
  const std::optional<winapi::DeviceName> device = winapi::ParseDevicePath(lpFileName);
  if (!device) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (dwCreationDisposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  winapi::OpenedDevice opened = winapi::IsSerialPortName(device->name)
                                    ? winapi::OpenSerialPort(device->entryPath, dwDesiredAccess)
                                    : winapi::OpenOtherDevice(device->entryPath, dwDesiredAccess);
  if (opened.error != ERROR_SUCCESS) {
    SetLastError(opened.error);
    return INVALID_HANDLE_VALUE;
  }
  return winapi::RegisterHandle(std::make_shared<winapi::DeviceFile>(std::move(opened.fd)));
}

// Synchronous, as on the platform: returns once the device has taken every
// byte, waiting while it cannot take them now (a driver that reads slowly
// delays the caller; the bytes are not lost).
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
               LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = 0;
  const std::shared_ptr<winapi::DeviceFile> file = winapi::FindHandle<winapi::DeviceFile>(hFile);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (lpOverlapped != nullptr || (lpBuffer == nullptr && nNumberOfBytesToWrite != 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD written = 0;
  const int error =
      winapi::WriteWaiting(file->fd(), static_cast<const BYTE*>(lpBuffer), nNumberOfBytesToWrite, written);
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = written;
  if (error != 0) {
    winapi::SetLastErrorFromErrno(error);
    return FALSE;
  }
  return TRUE;
}
