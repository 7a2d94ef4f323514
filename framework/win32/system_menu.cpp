// The dialog's system menu: the program appends its own items to the window's copy.
#include "framework/framework.h"
#include "framework/win32/wide_text.h"

CMenu* CWnd::GetSystemMenu(BOOL bRevert) {
  const HMENU menu = ::GetSystemMenu(m_hWnd, bRevert);
  if (menu == nullptr) return nullptr;  // also after a revert, which hands out no copy
  m_systemMenu.m_hMenu = menu;
  return &m_systemMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
  if (lpszNewItem == nullptr) return AppendMenuW(m_hMenu, nFlags, nIDNewItem, nullptr);
  return AppendMenuW(m_hMenu, nFlags, nIDNewItem, framework::win32::Widen(lpszNewItem).c_str());
}
