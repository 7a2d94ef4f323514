// Exclusive opens of the platform's devices: the driver's control device and
// the serial ports, named in the device namespace ("\\.\NAME").
#pragma once

#include <string>

#include <windows.h>

// The driver's control device and the apply command it takes after Apply.
inline constexpr char kControlDevicePath[] = "\\\\.\\TAVRIN";
inline constexpr BYTE kApplyCommand[3] = {0x0A, 0x01, 0x42};

// "\\.\" followed by the port name, for every name ("\\.\COM1", "\\.\COM12").
std::string SerialPortPath(LPCSTR portName);

// CreateFileA with read and write access, share mode 0 and OPEN_EXISTING.
// INVALID_HANDLE_VALUE on any failure; the platform's error code is read and
// discarded.
HANDLE OpenDeviceExclusive(LPCSTR path);

// One synchronous WriteFile; the count it reports as written (0 on failure or
// for INVALID_HANDLE_VALUE).
DWORD WriteDevice(HANDLE device, const BYTE* bytes, DWORD count);

// Closes an open handle and leaves INVALID_HANDLE_VALUE behind, so a handle is
// closed exactly once however often this is called.
void CloseDevice(HANDLE& device);
