// CDialog: a modal dialog made by the system's dialog manager from the
// template in the program's resources, run by the framework's modal loop so
// that PreTranslateMessage sees its messages first.
#include <algorithm>

#include "framework/framework.h"
#include "framework/win32/modal_loop.h"
#include "framework/win32/window_wrappers.h"

namespace {

using framework::win32::ModalRun;

// Centres a dialog that its initialisation left where the template put it over
// its owner, else over the work area of its monitor.
void Centre(HWND dialog) {
  RECT rect;
  GetWindowRect(dialog, &rect);
  RECT area;
  const HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  const LONG width = rect.right - rect.left;
  const LONG height = rect.bottom - rect.top;
  const LONG x = std::max(area.left, area.left + (area.right - area.left - width) / 2);
  const LONG y = std::max(area.top, area.top + (area.bottom - area.top - height) / 2);
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog manager's procedure of every framework dialog. It binds the new
// window to its CDialog on WM_INITDIALOG; from then on the framework's window
// procedure hands every message to the CDialog first, and what comes back
// here is default processing.
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG || framework::win32::PermanentWrapper(window) != nullptr) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  framework::win32::AttachWrapper(window, dialog, true);
  RECT before;
  GetWindowRect(window, &before);
  const LRESULT result = dialog->WindowProc(WM_INITDIALOG, wParam, 0);
  RECT after;
  if (IsWindow(window) && GetWindowRect(window, &after) && after.left == before.left && after.top == before.top) {
    Centre(window);
  }
  return result;
}

// Keeps the owner of a modal dialog disabled while it runs, until Restore or
// the end of the scope.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner) : m_owner(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
    if (m_owner != nullptr) EnableWindow(m_owner, FALSE);
  }
  ~OwnerDisabled() { Restore(); }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

  void Restore() {
    if (m_owner != nullptr && IsWindow(m_owner)) EnableWindow(m_owner, TRUE);
    m_owner = nullptr;
  }

 private:
  HWND m_owner;
};

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
  if (m_hWnd != nullptr) return -1;  // running already
  // A dialog is modal over its parent, else over the dialog on top.
  HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ModalRun::TopWindow();
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;

  ModalRun run(this);
  OwnerDisabled ownerDisabled(owner);
  const HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate), owner, &DialogProc,
                                         reinterpret_cast<LPARAM>(this));
  if (window == nullptr) return -1;
  const framework::win32::ModalObserver& observer = framework::win32::CurrentModalObserver();
  if (observer.started != nullptr) observer.started(this);
  const INT_PTR result = run.Run(window);
  if (observer.ended != nullptr) observer.ended(this, result);
  if (!IsWindow(window)) return result;
  // The owner is enabled again before the dialog is hidden, as the dialog
  // manager's EndDialog does: hiding the active window activates the next
  // window that can take it, and a disabled owner cannot, so another
  // program's window would come to the front instead.
  ownerDisabled.Restore();
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (owner != nullptr && IsWindow(owner)) SetActiveWindow(owner);
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);  // unbinds the wrappers as it goes
  return result;
}

void CDialog::EndDialog(int nResult) {
  if (ModalRun* run = ModalRun::Of(this)) run->End(nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  if (m_hWnd == nullptr || !IsWindow(m_hWnd)) return FALSE;
  CDataExchange exchange(this, bSaveAndValidate);
  DoDataExchange(&exchange);
  return TRUE;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl != nullptr && m_hWnd != nullptr) {
    SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
  }
}

// The dialog manager's keyboard handling: Tab, arrows, mnemonics, Enter and
// Escape. It dispatches what it does not consume itself.
BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg == nullptr || m_hWnd == nullptr) return FALSE;
  return IsDialogMessageW(m_hWnd, pMsg);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr || pDX == nullptr || pDX->m_pDlgWnd == nullptr) return;
  const HWND dialog = pDX->m_pDlgWnd->m_hWnd;
  if (dialog == nullptr) return;
  // A window has one permanent wrapper; a second one is not attached.
  framework::win32::AttachWrapper(GetDlgItem(dialog, nIDC), &rControl, false);
}
