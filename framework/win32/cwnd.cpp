// CWnd: a wrapper over one of the system's windows. Texts cross into the
// system as UTF-16 and come back as UTF-8.
#include "framework/framework.h"
#include "framework/win32/text_messages.h"
#include "framework/win32/wide_text.h"
#include "framework/win32/window_wrappers.h"

namespace {

// The message being handled, innermost: what Default() processes.
struct CurrentMessage {
  UINT message = WM_NULL;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};
CurrentMessage g_current;

using framework::win32::Widen;

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd != nullptr && framework::win32::PermanentWrapper(m_hWnd) == this) framework::win32::DetachWrapper(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage outer = g_current;
  g_current = {message, wParam, lParam};
  LRESULT result = 0;
  if (!AfxDispatchThroughMap(this, message, wParam, lParam, &result)) {
    result = message == WM_COMMAND && OnCommand(wParam, lParam) ? 0 : DefWindowProc(message, wParam, lParam);
  }
  g_current = outer;
  return result;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) { return FALSE; }

LRESULT CWnd::Default() { return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_hWnd == nullptr) return 0;
  return framework::win32::CallOriginalWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return framework::win32::SendTextMessage(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetFocus() {
  const HWND focus = ::GetFocus();
  return focus != nullptr ? framework::win32::WrapperOf(focus) : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const { return framework::win32::WrapperOf(::GetDlgItem(m_hWnd, nID)); }

void CWnd::SetWindowText(LPCSTR lpszString) {
  SetWindowTextW(m_hWnd, Widen(lpszString != nullptr ? lpszString : "").c_str());
}

CString CWnd::GetWindowText() const { return CString(framework::win32::WindowText(m_hWnd).c_str()); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::GetClientRect(LPRECT lpRect) const {
  if (lpRect == nullptr) return;
  if (m_hWnd == nullptr || !::GetClientRect(m_hWnd, lpRect)) *lpRect = RECT{};
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) {
    const CWinApp* app = AfxGetApp();
    lpszCaption = app != nullptr ? app->m_pszAppName : "";
  }
  return MessageBoxW(m_hWnd, Widen(lpszText != nullptr ? lpszText : "").c_str(), Widen(lpszCaption).c_str(), nType);
}
