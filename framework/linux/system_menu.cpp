// The dialog's system menu: the program appends its own items to the window's copy.
#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
  if (!framework::IsLiveWindow(m_hWnd) || m_hWnd->kind != framework::WindowKind::Dialog ||
      (m_hWnd->style & WS_SYSMENU) == 0) {
    return nullptr;
  }
  if (bRevert) {
    // Back to the platform's own menu; no copy is handed out.
    m_hWnd->Dialog().systemMenu.clear();
    m_hWnd->Dialog().systemMenuTaken = false;
    framework::CurrentBackend().WindowChanged(m_hWnd);
    return nullptr;
  }
  m_hWnd->Dialog().systemMenuTaken = true;
  m_systemMenu.m_hMenu = &m_hWnd->Dialog().systemMenuHandle;
  return &m_systemMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
  return AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  if (hMenu == nullptr || !framework::IsLiveWindow(hMenu->window)) return FALSE;
  framework::MenuItem item;
  if ((uFlags & MF_SEPARATOR) != 0) {
    item.flags = MF_SEPARATOR;
  } else {
    item.flags = uFlags;
    item.id = uIDNewItem;
    item.text = lpNewItem != nullptr ? lpNewItem : "";
  }
  hMenu->window->Dialog().systemMenu.push_back(std::move(item));
  framework::CurrentBackend().WindowChanged(hMenu->window);
  return TRUE;
}
