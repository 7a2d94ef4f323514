// Exclusive opens of the platform's devices: the driver's control device and
// the serial ports, named in the device namespace ("\\.\NAME").
#pragma once

#include <string>

#include <windows.h>

#include "platform/unique_handle.h"

// The driver's control device and the apply command it takes after Apply.
inline constexpr char kControlDevicePath[] = "\\\\.\\TAVRIN";
inline constexpr BYTE kApplyCommand[3] = {0x0A, 0x01, 0x42};

// "\\.\" followed by the port name, for every name ("\\.\COM1", "\\.\COM12").
std::string SerialPortPath(LPCSTR portName);

// CreateFileA with read and write access, share mode 0 and OPEN_EXISTING.
// No handle on any failure; the platform's error code is read and discarded.
UniqueHandle OpenDeviceExclusive(LPCSTR path);

// One synchronous WriteFile; the count it reports as written (0 on failure or
// when no device is open).
DWORD WriteDevice(const UniqueHandle& device, const BYTE* bytes, DWORD count);
