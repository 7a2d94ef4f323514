// Which character devices are serial terminals, decided from the device number
// alone so that nothing else is ever opened. Internal to the stand-in.
#pragma once

#include <sys/types.h>

namespace winapi {

// True when the kernel's tty driver table (/proc/tty/drivers) lists a driver
// of type "serial" or "pty:slave" whose major and minor range hold rdev. System
// ttys (/dev/tty, /dev/console, /dev/ptmx), virtual consoles and pty masters
// are not serial ports: opening them has effects of its own.
bool IsSerialTerminalDevice(dev_t rdev);

}  // namespace winapi
