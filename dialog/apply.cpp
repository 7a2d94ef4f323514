// Apply: the store is made equal to the watch list, then the driver is told.
#include <cstdio>

#include "device_io.h"
#include "driver_settings_store.h"
#include "list_text.h"
#include "port_setting.h"
#include "port_setup_dlg.h"
#include "resource.h"
#include "watch_entry.h"

void CPortSetupDlg::OnApply() {
  DriverSettingsStore store;
  if (store.OpenForWrite()) {
    for (int k = 0; k < model::kPortCount; ++k) {
      if (!store.WriteSetting(model::PortName(k), 0)) ShowMessage(IDS_WRITE_SETTING_ERROR, MB_OK);
    }
    for (int index = 0; index < m_watchList.GetCount(); ++index) {
      const model::ParsedWatchEntry parsed =
          model::ParseWatchEntry(ReadListLine(m_watchList, index, kWatchEntryBufferSize));

      // "BaudIndex" here is the baud rate's number, as the driver's developers read it.
      char diagnostic[128];
      std::snprintf(diagnostic, sizeof diagnostic, "dwSetting: %X, BaudIndex: %X\n", parsed.wordAfterScan,
                    static_cast<unsigned>(model::LeadingInteger(parsed.baud)));
      OutputDebugStringA(diagnostic);

      // Nothing is ever written under a name outside the port-name table.
      if (!parsed.portNameKnown) continue;
      if (!store.WriteSetting(parsed.portName.c_str(), parsed.word)) ShowMessage(IDS_WRITE_SETTING_ERROR, MB_OK);
    }
    store.Close();
  } else {
    ShowMessage(IDS_READ_SETTING_ERROR, MB_OK);
  }

  m_dirty = 0;
  EnableApplyButtons(FALSE);
  OpenControlDevice();
  WriteControlDevice(kApplyCommand, sizeof kApplyCommand);
  CloseControlDevice();
  EnableApplyButtons(TRUE);
}

void CPortSetupDlg::EnableApplyButtons(BOOL enable) {
  m_addButton.EnableWindow(enable);
  m_removeButton.EnableWindow(enable);
  m_applyButton.EnableWindow(enable);
  m_quitButton.EnableWindow(enable);
}
