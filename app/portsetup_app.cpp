#include "app/portsetup_app.h"

#include "dialog/port_setup_dlg.h"

CPortSetupApp theApp;

CPortSetupApp::CPortSetupApp() : CWinApp(nullptr) {}

BEGIN_MESSAGE_MAP(CPortSetupApp, CWinApp)
  ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CPortSetupApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  {
    CPortSetupDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();  // however it ends, the program ends
  }
  m_pMainWnd = nullptr;  // the dialog object is gone
  // FALSE: no message loop of the application's own; the process ends.
  return FALSE;
}
