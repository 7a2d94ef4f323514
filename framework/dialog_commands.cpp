// What CDialog does alike in every build: WM_INITDIALOG to OnInitDialog, the
// commands IDOK and IDCANCEL to OnOK and OnCancel, and those handlers' defaults.
#include "framework/framework.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  {WM_INITDIALOG, 0, 0,
   [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT { return static_cast<CDialog*>(target)->OnInitDialog(); }},
END_MESSAGE_MAP()

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDOK:
        OnOK();
        return TRUE;
      case IDCANCEL:
        OnCancel();
        return TRUE;
      default:
        break;
    }
  }
  return CWnd::OnCommand(wParam, lParam);
}
