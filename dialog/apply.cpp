// Apply: the store is made equal to the watch list, then the driver is told.
#include <array>
#include <cstdio>

#include "dialog/list_text.h"
#include "dialog/port_setup_dlg.h"
#include "model/port_setting.h"
#include "model/watch_entry.h"
#include "platform/device_io.h"
#include "platform/driver_settings_store.h"
#include "res/resource.h"

void CPortSetupDlg::OnApply() {
  // Only a complete Apply clears the dirty flag: after a failure, quitting
  // asks again, and nothing the person chose is lost.
  m_dirty = StoreWatchList() ? 0 : 1;
  // Disabling the buttons takes the focus from the one that has it (the Apply
  // button, after Enter on it), and no control would have it after: the
  // person goes on from that button once the buttons are back.
  CWnd* const focus = GetFocus();
  EnableApplyButtons(FALSE);
  OpenControlDevice();
  WriteControlDevice(kApplyCommand, sizeof kApplyCommand);
  CloseControlDevice();
  EnableApplyButtons(TRUE);
  if (focus != nullptr && GetFocus() == nullptr) GotoDlgCtrl(focus);
}

// Every name is written once, with its final word, so no watched port passes
// through "not watched" on the way. A failure shows one write error, at the
// first failed step; the remaining writes are still tried.
bool CPortSetupDlg::StoreWatchList() {
  DriverSettingsStore store;
  if (!store.OpenForWrite()) {
    ShowMessage(IDS_WRITE_SETTING_ERROR, MB_OK);
    return false;
  }
  const std::array<model::PortSetting, model::kPortCount> words = WordsOfWatchList();
  bool everyWordStored = true;
  const auto failed = [&] {
    if (everyWordStored) ShowMessage(IDS_WRITE_SETTING_ERROR, MB_OK);
    everyWordStored = false;
  };
  for (int k = 0; k < model::kPortCount; ++k) {
    if (!store.WriteSetting(model::PortName(k), words[k])) failed();
  }
  if (!store.Close()) failed();
  return everyWordStored;
}

// The word of each name: 0 unless a watch entry gives one; of two entries for
// one port the later in list order wins. Prints each entry's diagnostic line,
// in list order.
std::array<model::PortSetting, model::kPortCount> CPortSetupDlg::WordsOfWatchList() {
  std::array<model::PortSetting, model::kPortCount> words{};
  for (int index = 0; index < m_watchList.GetCount(); ++index) {
    const model::ParsedWatchEntry parsed =
        model::ParseWatchEntry(ReadListLine(m_watchList, index, kWatchEntryBufferSize));

    // "BaudIndex" here is the baud rate's number, as the driver's developers read it.
    char diagnostic[128];
    std::snprintf(diagnostic, sizeof diagnostic, "dwSetting: %X, BaudIndex: %X\n", parsed.wordAfterScan,
                  static_cast<unsigned>(model::LeadingInteger(parsed.baud)));
    OutputDebugStringA(diagnostic);

    // Nothing is ever written under a name outside the port-name table.
    if (const auto port = model::PortIndex(parsed.portName)) words[static_cast<std::size_t>(*port)] = parsed.word;
  }
  return words;
}

void CPortSetupDlg::EnableApplyButtons(BOOL enable) {
  m_addButton.EnableWindow(enable);
  m_removeButton.EnableWindow(enable);
  m_applyButton.EnableWindow(enable);
  m_quitButton.EnableWindow(enable);
}
