// CWnd: a wrapper over one window of the dialog manager's record. Every state
// change goes through a message, so that default processing stays in one place.
#include <vector>

#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/default_window_proc.h"
#include "framework/linux/focus.h"
#include "framework/linux/input.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

namespace {

struct CurrentMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The messages being handled, innermost last: what Default() processes.
std::vector<CurrentMessage> g_currentMessages;

class CurrentMessageScope {
 public:
  CurrentMessageScope(UINT message, WPARAM wParam, LPARAM lParam) {
    g_currentMessages.push_back({message, wParam, lParam});
  }
  ~CurrentMessageScope() { g_currentMessages.pop_back(); }
  CurrentMessageScope(const CurrentMessageScope&) = delete;
  CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
};

}  // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd() {
  if (m_hWnd != nullptr && m_hWnd->wrapper == this) m_hWnd->wrapper = nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessageScope scope(message, wParam, lParam);
  LRESULT result = 0;
  if (AfxDispatchThroughMap(this, message, wParam, lParam, &result)) return result;
  if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) { return FALSE; }

LRESULT CWnd::Default() {
  if (g_currentMessages.empty()) return 0;
  const CurrentMessage current = g_currentMessages.back();
  return DefWindowProc(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!framework::IsLiveWindow(m_hWnd)) return 0;
  return framework::DefaultWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/) {
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(m_hWnd, message, wParam, lParam);
}

namespace {

// The permanent wrapper of a window, else a temporary one made on first use
// and kept with the window.
CWnd* WrapperOf(HWND window) {
  if (window->wrapper != nullptr) return window->wrapper;
  if (!window->temporary) {
    window->temporary = std::make_unique<CWnd>();
    window->temporary->m_hWnd = window;
  }
  return window->temporary.get();
}

}  // namespace

CWnd* CWnd::GetDlgItem(int nID) const {
  if (!framework::IsLiveWindow(m_hWnd)) return nullptr;
  HWND control = m_hWnd->Child(nID);
  return control != nullptr ? WrapperOf(control) : nullptr;
}

// The focus is in the dialog on top, whose modal loop takes the keys.
CWnd* CWnd::GetFocus() {
  HWND dialog = framework::TopDialog();
  HWND focus = dialog != nullptr ? dialog->Dialog().focus : nullptr;
  return focus != nullptr ? WrapperOf(focus) : nullptr;
}

void CWnd::SetWindowText(LPCSTR lpszString) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString)); }

CString CWnd::GetWindowText() const {
  const auto length = static_cast<std::size_t>(SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
  std::vector<char> text(length + 1, '\0');
  SendMessageA(m_hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return CString(text.data());
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
  if (!framework::IsLiveWindow(m_hWnd)) return FALSE;
  const BOOL wasDisabled = m_hWnd->enabled ? FALSE : TRUE;
  const bool enable = bEnable != FALSE;
  if (m_hWnd->enabled != enable) {
    m_hWnd->enabled = enable;
    if (!enable) framework::DisabledControlLosesFocus(m_hWnd);
    framework::CurrentBackend().WindowChanged(m_hWnd);
  }
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const { return framework::IsLiveWindow(m_hWnd) && m_hWnd->enabled; }

// Visible when the window and the dialog it belongs to are both shown.
BOOL CWnd::IsWindowVisible() const {
  if (!framework::IsLiveWindow(m_hWnd)) return FALSE;
  const HWND dialog = m_hWnd->OwningDialog();
  return m_hWnd->visible && (dialog == nullptr || dialog->visible);
}

BOOL CWnd::IsIconic() const {
  return framework::IsLiveWindow(m_hWnd) && m_hWnd->kind == framework::WindowKind::Dialog && m_hWnd->Dialog().iconic;
}

void CWnd::GetClientRect(LPRECT lpRect) const {
  if (lpRect == nullptr) return;
  const bool dialog = framework::IsLiveWindow(m_hWnd) && m_hWnd->kind == framework::WindowKind::Dialog;
  *lpRect = dialog ? m_hWnd->Dialog().clientRect : RECT{};
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!framework::IsLiveWindow(hWnd)) return 0;
  if (hWnd->wrapper != nullptr) return hWnd->wrapper->WindowProc(Msg, wParam, lParam);
  return framework::DefaultWindowProc(hWnd, Msg, wParam, lParam);
}
