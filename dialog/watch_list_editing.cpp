// Filling the watch list from the store, and what each action on the two lists,
// the three combos and Add/Remove does.
#include <optional>

#include "dialog/editing_state.h"
#include "dialog/list_text.h"
#include "dialog/port_setup_dlg.h"
#include "model/port_setting.h"
#include "model/watch_entry.h"
#include "platform/driver_settings_store.h"
#include "res/resource.h"

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
    // A stored BaudIndex of 7 has no baud text: the entry says "Auto_Scan",
    // which is what Apply then stores.
    const std::string entry =
        model::ComposeWatchEntry(portName, model::DriverTypeIndexOf(word), model::BaudIndexOf(word),
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
  m_dirty = 1;
  if (index == LB_ERR) {
    g_editing.EntryRemoved(std::nullopt);
    return;
  }
  g_editing.EntryRemoved(ReadListLine(m_watchList, index, kWatchEntryBufferSize));
  m_watchList.DeleteString(static_cast<UINT>(index));
  m_portList.AddString(g_editing.CurrentPort());  // the end of the unsorted port list
  m_applyButton.EnableWindow(TRUE);
}

void CPortSetupDlg::OnSelChangePortList() {
  g_editing.PortSelected(SelectedLine(m_portList, kPortNameBufferSize));
  m_driverTypeCombo.SetCurSel(-1);
  m_baudCombo.SetCurSel(-1);
  m_pnpCombo.SetCurSel(-1);
}

void CPortSetupDlg::OnSelChangeWatchList() {
  const std::optional<std::string> entry = SelectedLine(m_watchList, kWatchEntryBufferSize);
  g_editing.WatchEntrySelected(entry);
  if (!entry) return;
  // The combos show the entry's own choices, read as Apply reads them, so a
  // change of one combo keeps the other two.
  const model::PortSetting word = model::ParseWatchEntry(*entry).word;
  m_driverTypeCombo.SetCurSel(model::DriverTypeIndexOf(word));
  m_baudCombo.SetCurSel(model::BaudIndexOf(word));
  m_pnpCombo.SetCurSel(model::PnpIndexOf(word));
}

void CPortSetupDlg::OnSelChangeSetting() {
  RewriteSelectedEntry();
  m_applyButton.EnableWindow(TRUE);
}

void CPortSetupDlg::RewriteSelectedEntry() {
  if (g_editing.EditMode() == 0) return;
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
  const std::string entry =
      model::ComposeWatchEntry(g_editing.CurrentPort(), driverType, baud, pnp, model::kNoPnpFromEdit);
  m_watchList.AddString(entry.c_str());
  m_dirty = 1;
  g_editing.EntryRewritten();
}
