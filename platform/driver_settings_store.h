// The driver's configuration: one REG_DWORD PortSetting word per port name under
// the driver's service key. Each operation (the load, Apply) opens the key,
// reads or writes single values and closes it again; nothing is cached.
#pragma once

#include <windows.h>

class DriverSettingsStore {
 public:
  DriverSettingsStore() = default;
  ~DriverSettingsStore() { Close(); }
  DriverSettingsStore(const DriverSettingsStore&) = delete;
  DriverSettingsStore& operator=(const DriverSettingsStore&) = delete;

  // Open the service key for reading (KEY_READ) or writing (KEY_ALL_ACCESS).
  // False on any failure.
  bool OpenForRead();
  bool OpenForWrite();
  // The word stored under portName; 0 when the value is missing or longer
  // than four bytes.
  DWORD ReadSetting(LPCSTR portName) const;
  // Stores the word as REG_DWORD, 4 bytes. False when the write fails. The
  // words written reach the configuration together when the key is closed.
  bool WriteSetting(LPCSTR portName, DWORD setting) const;
  // Releases the key an open returned; true when none is open. False when the
  // platform reports that the close failed, which may mean that writes made
  // through the key were not kept.
  bool Close();

 private:
  bool Open(REGSAM access);
  HKEY m_key = nullptr;
};
