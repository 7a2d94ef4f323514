// Opening an entry of the device namespace without blocking, always for
// exclusive use: share modes are not honoured beyond "nobody else". Internal
// to the stand-in.
#pragma once

#include <string>

#include "winapi/unique_fd.h"
#include "winapi/windows.h"

namespace winapi {

struct OpenedDevice {
  UniqueFd fd;  // open, O_CLOEXEC and O_NONBLOCK, when error is ERROR_SUCCESS
  DWORD error = ERROR_SUCCESS;
};

// A serial port: the entry must resolve to a terminal of a serial or pty-slave
// driver, and nobody may hold it (flock, TIOCEXCL, a UUCP lock file). Nothing
// else is ever opened, and no terminal setting is changed.
OpenedDevice OpenSerialPort(const std::string& entryPath, DWORD desiredAccess);

// Any other device: a FIFO (the driver's control device, opened for writing so
// that a FIFO nobody reads refuses the open) or a character device.
OpenedDevice OpenOtherDevice(const std::string& entryPath, DWORD desiredAccess);

}  // namespace winapi
