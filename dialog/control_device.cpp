// The driver's control device, opened only for the few steps of one operation.
#include "dialog/port_setup_dlg.h"
#include "platform/device_io.h"
#include "res/resource.h"

void CPortSetupDlg::OpenControlDevice() {
  m_controlDevice = OpenDeviceExclusive(kControlDevicePath);
  if (m_controlDevice.IsOpen()) return;
  // Every cause is alike: the driver is not installed, not running or held.
  ShowMessage(IDS_INSTALL_DRIVER, MB_OK);
  PostQuitMessage(0);
}

DWORD CPortSetupDlg::WriteControlDevice(const BYTE* bytes, DWORD count) {
  return WriteDevice(m_controlDevice, bytes, count);
}

void CPortSetupDlg::CloseControlDevice() { m_controlDevice.Close(); }
