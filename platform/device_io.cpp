#include "device_io.h"

std::string SerialPortPath(LPCSTR portName) { return std::string("\\\\.\\") + portName; }

HANDLE OpenDeviceExclusive(LPCSTR path) {
  const HANDLE device =
      CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (device == INVALID_HANDLE_VALUE) {
    // Every cause of a failed open is treated alike; the code is not examined.
    [[maybe_unused]] const DWORD ignored = GetLastError();
  }
  return device;
}

DWORD WriteDevice(HANDLE device, const BYTE* bytes, DWORD count) {
  if (device == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  WriteFile(device, bytes, count, &written, nullptr);
  return written;
}

void CloseDevice(HANDLE& device) {
  if (device == INVALID_HANDLE_VALUE) return;
  CloseHandle(device);
  device = INVALID_HANDLE_VALUE;
}
