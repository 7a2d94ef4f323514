// What passes between this program and the TAVRIN driver, in the order a run
// meets it; nothing else does:
//  1. "\\.\TAVRIN" opened (read/write, share mode 0) and closed at start-up: a
//     failed open means the driver is not installed or not running.
//  2. Serial ports probed with an exclusive open: ports the driver holds refuse it.
//  3. HKEY_LOCAL_MACHINE "System\CurrentControlSet\Services\Tavrin": made by the
//     driver's installation, never by this program (driver_settings_store).
//  4. One REG_DWORD PortSetting per name "COM1".."COM225", written at Apply.
//  5. The apply command 0x0A 0x01 0x42, one write after the key is closed.
//  6. "ROOT\TAVRIN" passed to the device console tool as "restart ROOT\TAVRIN".
#include "platform/device_io.h"

std::string SerialPortPath(LPCSTR portName) { return std::string("\\\\.\\") + portName; }

UniqueHandle OpenDeviceExclusive(LPCSTR path) {
  UniqueHandle device(
      CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!device.IsOpen()) {
    // Every cause of a failed open is treated alike; the code is not examined.
    [[maybe_unused]] const DWORD ignored = GetLastError();
  }
  return device;
}

DWORD WriteDevice(const UniqueHandle& device, const BYTE* bytes, DWORD count) {
  if (!device.IsOpen()) return 0;
  DWORD written = 0;
  WriteFile(device.Get(), bytes, count, &written, nullptr);
  return written;
}
