// The driver restart: runs the device console tool and reports completion.
#include "dialog/port_setup_dlg.h"
#include "platform/run_and_wait.h"
#include "res/resource.h"

void CPortSetupDlg::OnRestart() {
  CWaitCursor wait;
  CButton* const buttons[] = {&m_addButton, &m_removeButton, &m_applyButton, &m_quitButton, &m_restartButton};
  for (CButton* button : buttons) button->EnableWindow(FALSE);
  RunAndWait("devcon.exe", "restart ROOT\\TAVRIN", 8000);
  ShowMessage(IDS_RESTART_DONE, MB_OK);
  for (CButton* button : buttons) button->EnableWindow(TRUE);
}
