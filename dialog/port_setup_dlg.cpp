// Construction, control binding, initialisation, painting, the about box and
// every way the main dialog ends.
#include "dialog/port_setup_dlg.h"

#include <cstdint>

#include "dialog/about_box.h"
#include "res/resource.h"

namespace {

// The controls whose texts follow the string table, in the order they are set.
struct ControlText {
  int controlId;
  UINT stringId;
};
constexpr ControlText kControlTexts[] = {
    {IDC_SETTINGS_GROUP, IDS_GROUP_SETTINGS},       {IDC_PORT_LIST_LABEL, IDS_PORT_LIST_LABEL},
    {IDC_DRIVER_TYPE_LABEL, IDS_DRIVER_TYPE_LABEL}, {IDC_BAUD_RATE_LABEL, IDS_BAUD_RATE_LABEL},
    {IDC_PNP_POLLING_LABEL, IDS_PNP_POLLING_LABEL}, {IDC_ADD_BUTTON, IDS_ADD_BUTTON},
    {IDC_REMOVE_BUTTON, IDS_REMOVE_BUTTON},         {IDC_WATCH_LIST_LABEL, IDS_WATCH_LIST_LABEL},
    {IDC_APPLY_BUTTON, IDS_APPLY_BUTTON},           {IDOK, IDS_QUIT_BUTTON},
    {IDC_RESTART_BUTTON, IDS_RESTART_BUTTON},
};

// Where a minimized icon is centred: signed 32-bit arithmetic that wraps like
// the platform's, division truncating toward zero.
int CentredIconOrigin(LONG low, LONG high, int iconSize) {
  const auto span = static_cast<std::int32_t>(static_cast<std::int64_t>(high) - low - iconSize + 1);
  return span / 2;
}

}  // namespace

CPortSetupDlg::CPortSetupDlg(CWnd* pParent) : CDialog(IDD_PORTSETUP_DIALOG, pParent) {
  m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CPortSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RESTART_BUTTON, m_restartButton);
  DDX_Control(pDX, IDC_PNP_POLLING_COMBO, m_pnpCombo);
  DDX_Control(pDX, IDC_BAUD_RATE_COMBO, m_baudCombo);
  DDX_Control(pDX, IDC_REMOVE_BUTTON, m_removeButton);
  DDX_Control(pDX, IDC_ADD_BUTTON, m_addButton);
  DDX_Control(pDX, IDC_APPLY_BUTTON, m_applyButton);
  DDX_Control(pDX, IDOK, m_quitButton);
  DDX_Control(pDX, IDC_PORT_LIST, m_portList);
  DDX_Control(pDX, IDC_WATCH_LIST, m_watchList);
  DDX_Control(pDX, IDC_DRIVER_TYPE_COMBO, m_driverTypeCombo);
}

BEGIN_MESSAGE_MAP(CPortSetupDlg, CDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_BN_CLICKED(IDC_ADD_BUTTON, &CPortSetupDlg::OnAdd)
  ON_BN_CLICKED(IDC_REMOVE_BUTTON, &CPortSetupDlg::OnRemove)
  ON_WM_CLOSE()
  ON_BN_CLICKED(IDC_APPLY_BUTTON, &CPortSetupDlg::OnApply)
  ON_BN_CLICKED(IDC_RESTART_BUTTON, &CPortSetupDlg::OnRestart)
  ON_LBN_SELCHANGE(IDC_PORT_LIST, &CPortSetupDlg::OnSelChangePortList)
  ON_LBN_SELCHANGE(IDC_WATCH_LIST, &CPortSetupDlg::OnSelChangeWatchList)
  ON_CBN_SELCHANGE(IDC_DRIVER_TYPE_COMBO, &CPortSetupDlg::OnSelChangeSetting)
  ON_CBN_SELCHANGE(IDC_BAUD_RATE_COMBO, &CPortSetupDlg::OnSelChangeSetting)
  ON_CBN_SELCHANGE(IDC_PNP_POLLING_COMBO, &CPortSetupDlg::OnSelChangeSetting)
  ON_WM_CHAR()
END_MESSAGE_MAP()

BOOL CPortSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
    CString aboutItem;
    aboutItem.LoadString(IDS_ABOUTBOX);
    if (!aboutItem.IsEmpty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutItem);
    }
  }

  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  m_dirty = 0;

  // The driver is present exactly when its control device opens.
  OpenControlDevice();
  CloseControlDevice();

  FillCombosAndProbePorts();
  LoadWatchList();
  GetDlgItem(IDC_APPLY_BUTTON)->EnableWindow(FALSE);
  SetControlTexts();
  return TRUE;  // the focus goes to the first tab stop, the port list
}

void CPortSetupDlg::SetControlTexts() {
  for (const ControlText& row : kControlTexts) {
    CString text;
    text.LoadString(row.stringId);
    GetDlgItem(row.controlId)->SetWindowText(text);
  }
}

void CPortSetupDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutBox dlgAbout;
    dlgAbout.DoModal();
  } else {
    Default();
  }
}

void CPortSetupDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  const int cxIcon = GetSystemMetrics(SM_CXICON);
  const int cyIcon = GetSystemMetrics(SM_CYICON);
  RECT rect;
  GetClientRect(&rect);
  const int x = CentredIconOrigin(rect.left, rect.right, cxIcon);
  const int y = CentredIconOrigin(rect.top, rect.bottom, cyIcon);
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CPortSetupDlg::OnQueryDragIcon() { return m_hIcon; }

void CPortSetupDlg::OnOK() { EndWithSaveQuestion(); }

// The quit path. With changes pending it asks whether to save them; Yes runs
// Apply, and when that could not store every word the dialog stays open with
// the edits (its message has been shown), so they can be applied again or let
// go with No. True when the dialog ended.
bool CPortSetupDlg::EndWithSaveQuestion() {
  if (m_dirty != 0 && ShowMessage(IDS_SAVE_BEFORE_QUIT, MB_YESNO) == IDYES) {
    OnApply();
    if (m_dirty != 0) return false;
  }
  CDialog::OnOK();
  return true;
}

void CPortSetupDlg::OnCancel() { CDialog::OnCancel(); }

void CPortSetupDlg::OnClose() {
  CloseControlDevice();
  // The default processing cancels the dialog, so it runs only once the quit
  // path has ended it.
  if (EndWithSaveQuestion()) Default();
}

BOOL CPortSetupDlg::PreTranslateMessage(MSG* pMsg) {
  // Escape takes the quit path, with its save question, before the dialog
  // manager turns it into IDCANCEL (which then finds the dialog ended). When
  // the dialog stays open, the key is spent: no IDCANCEL follows.
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && !EndWithSaveQuestion()) return TRUE;
  return CDialog::PreTranslateMessage(pMsg);
}

void CPortSetupDlg::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/) { Default(); }

int CPortSetupDlg::ShowMessage(UINT stringId, UINT type) {
  CString text;
  text.LoadString(stringId);
  return MessageBox(text, "", type);
}
