// Painting: the paint context of a window and the icon drawn into it, which
// the record keeps for the backend to show.
#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  HWND window = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
  // Only dialogs are painted by the program; a control's painting is the backend's.
  const bool dialog = framework::IsLiveWindow(window) && window->kind == framework::WindowKind::Dialog;
  m_hDC = dialog ? &window->Dialog().paintContext : nullptr;
}

CPaintDC::~CPaintDC() = default;

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  if (hDC == nullptr || hIcon == nullptr || !framework::IsLiveWindow(hDC->window)) return FALSE;
  HWND window = hDC->window;
  window->Dialog().iconDrawn = true;
  window->Dialog().iconPosition = {X, Y};
  framework::CurrentBackend().IconDrawn(window);
  return TRUE;
}

int GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON:
      return 32;
    default:
      return 0;
  }
}
