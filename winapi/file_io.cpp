// CreateFileA, WriteFile and the device-file handles they use.
#include <unistd.h>

#include <cerrno>

#include "device_namespace.h"
#include "device_open.h"
#include "handles.h"
#include "last_error.h"
#include "stand_in.h"

namespace winapi {
namespace {

// One open device; the descriptor is closed with the last reference.
class DeviceFile final : public HandleObject {
 public:
  explicit DeviceFile(int fd) : m_fd(fd) {}
  ~DeviceFile() override { close(m_fd); }
  DeviceFile(const DeviceFile&) = delete;
  DeviceFile& operator=(const DeviceFile&) = delete;

  int fd() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

int OpenFileHandleCount() {
  return CountOpenHandles([](const HandleObject& object) { return dynamic_cast<const DeviceFile*>(&object) != nullptr; });
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
  const winapi::OpenedDevice opened = winapi::IsSerialPortName(device->name)
                                          ? winapi::OpenSerialPort(device->entryPath, dwDesiredAccess)
                                          : winapi::OpenOtherDevice(device->entryPath, dwDesiredAccess);
  if (opened.error != ERROR_SUCCESS) {
    SetLastError(opened.error);
    return INVALID_HANDLE_VALUE;
  }
  return winapi::RegisterHandle(std::make_shared<winapi::DeviceFile>(opened.fd));
}

// One write(2), never blocking: a device that cannot take the bytes now fails
// the write rather than stalling the caller.
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
  ssize_t written = 0;
  do {
    written = write(file->fd(), lpBuffer, nNumberOfBytesToWrite);
  } while (written < 0 && errno == EINTR);
  if (written < 0) {
    winapi::SetLastErrorFromErrno(errno);
    return FALSE;
  }
  if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = static_cast<DWORD>(written);
  return TRUE;
}
