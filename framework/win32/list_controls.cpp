// CListBox and CComboBox: their members are the system's messages to the control.
#include "framework.h"
#include "text_messages.h"

namespace {

using framework::win32::SendTextMessage;

LPARAM TextParam(LPCSTR text) { return reinterpret_cast<LPARAM>(text); }

int Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return static_cast<int>(SendTextMessage(control, message, wParam, lParam));
}

}  // namespace

int CListBox::AddString(LPCSTR lpszItem) { return Send(m_hWnd, LB_ADDSTRING, 0, TextParam(lpszItem)); }

int CListBox::DeleteString(UINT nIndex) { return Send(m_hWnd, LB_DELETESTRING, nIndex); }

int CListBox::GetCount() const { return Send(m_hWnd, LB_GETCOUNT); }

int CListBox::GetCurSel() const { return Send(m_hWnd, LB_GETCURSEL); }

int CListBox::SetCurSel(int nSelect) { return Send(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect)); }

int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const {
  return Send(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
}

int CListBox::GetTextLen(int nIndex) const { return Send(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)); }

int CComboBox::AddString(LPCSTR lpszString) { return Send(m_hWnd, CB_ADDSTRING, 0, TextParam(lpszString)); }

int CComboBox::GetCount() const { return Send(m_hWnd, CB_GETCOUNT); }

int CComboBox::GetCurSel() const { return Send(m_hWnd, CB_GETCURSEL); }

int CComboBox::SetCurSel(int nSelect) { return Send(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect)); }

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const {
  return Send(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText));
}

int CComboBox::GetLBTextLen(int nIndex) const { return Send(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)); }
