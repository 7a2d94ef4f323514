// CDialog: a modal dialog made from its template, with the dialog manager's
// keyboard handling; its command routing is in dialog_commands.cpp.
#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/dialog_keys.h"
#include "framework/linux/focus.h"
#include "framework/linux/input.h"
#include "framework/linux/modal_loop.h"
#include "framework/linux/resources.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::InitModalIndirect(const res::DialogTemplate* dialogTemplate) {
  m_lpDialogTemplate = dialogTemplate;
  return dialogTemplate != nullptr ? TRUE : FALSE;
}

INT_PTR CDialog::DoModal() {
  const res::DialogTemplate* dialogTemplate =
      m_lpDialogTemplate != nullptr ? m_lpDialogTemplate : framework::FindDialogTemplate(m_nIDTemplate);
  // No template, or this dialog runs already: the platform's creation failure.
  if (dialogTemplate == nullptr || m_hWnd != nullptr) return -1;

  // A dialog is modal over its parent, else over the dialog on top.
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : framework::TopDialog();
  if (!framework::IsLiveWindow(owner)) owner = nullptr;
  framework::ModalOwnerLock ownerLock(owner);

  HWND dialog = framework::CreateDialogWindows(*dialogTemplate, owner);
  dialog->wrapper = this;
  m_hWnd = dialog;
  if (SendMessage(WM_INITDIALOG, 0, 0) != FALSE && framework::IsLiveWindow(dialog)) {
    framework::ChangeFocus(dialog, framework::NextTabStop(dialog, false));
  }
  const INT_PTR result = framework::RunModalLoop(dialog);
  framework::DestroyDialogWindows(dialog);
  return result;
}

void CDialog::EndDialog(int nResult) {
  if (!framework::IsLiveWindow(m_hWnd) || m_hWnd->Dialog().ended) return;
  m_hWnd->Dialog().ended = true;
  m_hWnd->Dialog().result = nResult;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  if (!framework::IsLiveWindow(m_hWnd)) return FALSE;
  CDataExchange exchange(this, bSaveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl == nullptr || !framework::IsLiveWindow(m_hWnd) || !framework::IsLiveWindow(pWndCtrl->m_hWnd) ||
      pWndCtrl->m_hWnd->parent != m_hWnd) {
    return;
  }
  framework::ChangeFocus(m_hWnd, pWndCtrl->m_hWnd);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg == nullptr || !framework::IsLiveWindow(m_hWnd)) return FALSE;
  return framework::HandleDialogKey(m_hWnd, *pMsg) ? TRUE : FALSE;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr || pDX == nullptr || pDX->m_pDlgWnd == nullptr) return;
  HWND dialog = pDX->m_pDlgWnd->m_hWnd;
  if (!framework::IsLiveWindow(dialog)) return;
  HWND control = dialog->Child(nIDC);
  // A window has one permanent wrapper; a second one is not attached.
  if (control == nullptr || control->wrapper != nullptr) return;
  control->wrapper = &rControl;
  rControl.m_hWnd = control;
}
