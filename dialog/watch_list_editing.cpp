// Filling the watch list from the store, and what each action on the two lists,
// the three combos and Add/Remove does.
#include "driver_settings_store.h"
#include "editing_state.h"
#include "list_text.h"
#include "port_setting.h"
#include "port_setup_dlg.h"
#include "resource.h"
#include "watch_entry.h"

namespace {

// A stored BaudIndex of 7 has no baud text; such a port is listed with
// "Auto_Scan", which Apply then stores as BaudIndex 0.
int LoadedBaudIndex(model::PortSetting word) {
  const int baudIndex = model::BaudIndexOf(word);
  return baudIndex < static_cast<int>(model::kBaudRateTable.size()) ? baudIndex : 0;
}

}  // namespace

void CPortSetupDlg::LoadWatchList() {
  DriverSettingsStore store;
  if (!store.OpenForRead()) {
    ShowMessage(IDS_READ_SETTING_ERROR, MB_OK);
    return;
  }
  for (int k = 0; k < model::kPortCount; ++k) {
    const char* portName = model::PortName(k);
    const model::PortSetting word = store.ReadSetting(portName);
    if ((word & model::kWatched) == 0) continue;
    const std::string entry = model::ComposeWatchEntry(portName, model::DriverTypeIndexOf(word), LoadedBaudIndex(word),
                                                       model::PnpIndexOf(word), model::kNoPnpFromEdit);
    m_watchList.AddString(entry.c_str());
    RemoveFromPortList(portName);
  }
  store.Close();
}

// The probe lists each name at most once, so the scan ends at the line it
// deletes: with every port watched, a full scan per port made start-up
// quadratic in the number of ports.
void CPortSetupDlg::RemoveFromPortList(const char* portName) {
  const int count = m_portList.GetCount();
  for (int index = 0; index < count; ++index) {
    if (ReadListLine(m_portList, index, kPortNameBufferSize) == portName) {
      m_portList.DeleteString(index);
      return;
    }
  }
}

void CPortSetupDlg::OnAdd() {
  const int port = m_portList.GetCurSel();
  const int driverType = m_driverTypeCombo.GetCurSel();
  const int baud = m_baudCombo.GetCurSel();
  const int pnp = m_pnpCombo.GetCurSel();
  if (port == LB_ERR || driverType == CB_ERR || baud == CB_ERR || pnp == CB_ERR) {
    ShowMessage(IDS_SELECT_PORT_AND_CHOICES, MB_YESNO);  // either answer changes nothing
    return;
  }
  const std::string portName = ReadListLine(m_portList, port, kWatchEntryBufferSize);
  const std::string entry = model::ComposeWatchEntry(portName, driverType, baud, pnp, model::kNoPnpFromAdd);
  m_watchList.AddString(entry.c_str());
  m_portList.DeleteString(static_cast<UINT>(port));
  m_dirty = 1;
  m_applyButton.EnableWindow(TRUE);
}

void CPortSetupDlg::OnRemove() {
  const int index = m_watchList.GetCurSel();
  if (index == LB_ERR) {
    m_dirty = 1;
    g_editMode = 0;
    return;
  }
  CutPortNameIntoCurrentPort(ReadListLine(m_watchList, index, kWatchEntryBufferSize));
  m_watchList.DeleteString(static_cast<UINT>(index));
  m_portList.AddString(g_currentPort);  // the end of the unsorted port list
  m_applyButton.EnableWindow(TRUE);
  m_dirty = 1;
  g_editMode = 0;
}

void CPortSetupDlg::OnSelChangePortList() {
  const int index = m_portList.GetCurSel();
  if (index != LB_ERR) SetCurrentPort(ReadListLine(m_portList, index, kPortNameBufferSize));
  m_driverTypeCombo.SetCurSel(-1);
  m_baudCombo.SetCurSel(-1);
  m_pnpCombo.SetCurSel(-1);
  // A port-list selection ends edit mode; otherwise the next combo change would
  // replace the selected watch entry by one for this port.
  g_editMode = 0;
}

void CPortSetupDlg::OnSelChangeWatchList() {
  g_editMode = 1;
  const int index = m_watchList.GetCurSel();
  if (index == LB_ERR) return;
  CutPortNameIntoCurrentPort(ReadListLine(m_watchList, index, kWatchEntryBufferSize));

  // The combos show what is stored for the port, not the entry's text.
  DriverSettingsStore store;
  if (!store.OpenForRead()) {
    ShowMessage(IDS_READ_SETTING_ERROR, MB_OK);
    return;
  }
  const model::PortSetting word = store.ReadSetting(g_currentPort);
  store.Close();

  m_driverTypeCombo.SetCurSel(model::DriverTypeIndexOf(word));
  const int baudIndex = model::BaudIndexOf(word);
  if (baudIndex < static_cast<int>(model::kBaudRateTable.size())) m_baudCombo.SetCurSel(baudIndex);
  m_pnpCombo.SetCurSel(model::PnpIndexOf(word));
}

void CPortSetupDlg::OnSelChangeSetting() {
  RewriteSelectedEntry();
  m_applyButton.EnableWindow(TRUE);
}

void CPortSetupDlg::RewriteSelectedEntry() {
  if (g_editMode == 0) return;
  const int driverType = m_driverTypeCombo.GetCurSel();
  const int baud = m_baudCombo.GetCurSel();
  const int pnp = m_pnpCombo.GetCurSel();
  // All three choices are checked before the entry is touched, so a missing
  // one never loses the entry.
  if (driverType == CB_ERR || baud == CB_ERR || pnp == CB_ERR) {
    ShowMessage(IDS_SELECT_PORT_AND_CHOICES, MB_OK);
    return;
  }
  const int index = m_watchList.GetCurSel();
  if (index != LB_ERR) m_watchList.DeleteString(static_cast<UINT>(index));
  const std::string entry = model::ComposeWatchEntry(g_currentPort, driverType, baud, pnp, model::kNoPnpFromEdit);
  m_watchList.AddString(entry.c_str());
  m_dirty = 1;
  g_editMode = 0;
}
