// CListBox and CComboBox: their members are the platform's messages to the control.
#include "framework.h"

namespace {

LPARAM TextParam(LPCSTR text) { return reinterpret_cast<LPARAM>(text); }

}  // namespace

int CListBox::AddString(LPCSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, TextParam(lpszItem))); }

int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }

int CListBox::GetCount() const { return static_cast<int>(SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }

int CListBox::GetCurSel() const { return static_cast<int>(SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }

int CListBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }

int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const {
  return static_cast<int>(SendMessageA(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CListBox::GetTextLen(int nIndex) const {
  return static_cast<int>(SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::AddString(LPCSTR lpszString) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, TextParam(lpszString)));
}

int CComboBox::GetCount() const { return static_cast<int>(SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }

int CComboBox::GetCurSel() const { return static_cast<int>(SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0)); }

int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const {
  return static_cast<int>(SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

int CComboBox::GetLBTextLen(int nIndex) const {
  return static_cast<int>(SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}
