// The main dialog: the free serial ports, the watch list, the three choices per
// port, Add/Remove, Apply and the driver restart.
#pragma once

#include <array>

#include "framework/framework.h"
#include "model/port_setting.h"
#include "platform/unique_handle.h"

// The class is one dialog; its members are kept in one file per job:
//   port_setup_dlg.cpp      construction, DoDataExchange, the message map,
//                           OnInitDialog, OnSysCommand (the about box), OnPaint,
//                           OnQueryDragIcon, and the ways the dialog ends:
//                           OnOK, OnCancel, OnClose, PreTranslateMessage,
//                           OnChar; SetControlTexts, ShowMessage
//   port_discovery.cpp      FillCombosAndProbePorts
//   watch_list_editing.cpp  LoadWatchList, OnAdd, OnRemove,
//                           OnSelChangePortList, OnSelChangeWatchList,
//                           OnSelChangeSetting, RewriteSelectedEntry
//   apply.cpp               OnApply, StoreWatchList, WordsOfWatchList,
//                           EnableApplyButtons
//   control_device.cpp      OpenControlDevice, WriteControlDevice,
//                           CloseControlDevice
//   restart.cpp             OnRestart
// The editing state shared by the handlers is editing_state.h.
class CPortSetupDlg : public CDialog {
 public:
  explicit CPortSetupDlg(CWnd* pParent = nullptr);

  int DirtyFlag() const { return m_dirty; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnClose();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);

  void OnAdd();
  void OnRemove();
  void OnApply();
  void OnRestart();
  void OnSelChangePortList();
  void OnSelChangeWatchList();
  void OnSelChangeSetting();

  DECLARE_MESSAGE_MAP()

 private:
  bool EndWithSaveQuestion();
  void OpenControlDevice();
  DWORD WriteControlDevice(const BYTE* bytes, DWORD count);
  void CloseControlDevice();
  void FillCombosAndProbePorts();
  void LoadWatchList();
  void RewriteSelectedEntry();
  void RemoveFromPortList(const char* portName);
  bool StoreWatchList();
  std::array<model::PortSetting, model::kPortCount> WordsOfWatchList();
  void SetControlTexts();
  void EnableApplyButtons(BOOL enable);
  int ShowMessage(UINT stringId, UINT type);

  int m_dirty = 0;
  CButton m_restartButton;
  CComboBox m_pnpCombo;
  CComboBox m_baudCombo;
  CButton m_removeButton;
  CButton m_addButton;
  CButton m_applyButton;
  CButton m_quitButton;
  CListBox m_portList;
  CListBox m_watchList;
  CComboBox m_driverTypeCombo;
  UniqueHandle m_controlDevice;  // open only within one operation
  HICON m_hIcon;
};
