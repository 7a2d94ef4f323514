// The fixed choices of the three combos and the serial ports free at start-up.
#include "dialog/port_setup_dlg.h"
#include "model/port_setting.h"
#include "platform/device_io.h"

namespace {

template <typename Table>
void AddChoices(CComboBox& combo, const Table& texts) {
  for (const char* text : texts) combo.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void CPortSetupDlg::FillCombosAndProbePorts() {
  AddChoices(m_driverTypeCombo, model::kDriverTypeTable);
  AddChoices(m_baudCombo, model::kBaudRateTable);
  AddChoices(m_pnpCombo, model::kPnpPollingTable);

  // A port is offered exactly when it opens exclusively now; at most one is
  // open at any time, and the name is listed before its handle is closed.
  for (int k = 0; k < model::kPortCount; ++k) {
    const char* portName = model::PortName(k);
    const UniqueHandle port = OpenDeviceExclusive(SerialPortPath(portName).c_str());
    if (port.IsOpen()) m_portList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(portName));
  }
}
