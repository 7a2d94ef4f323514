// CListBox and CComboBox: their members are the platform's messages to the control.
#include "framework/framework.h"

namespace {

int Send(const CWnd& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return static_cast<int>(control.SendMessage(message, wParam, lParam));
}

LPARAM TextParam(LPCSTR text) { return reinterpret_cast<LPARAM>(text); }

}  // namespace

int CListBox::AddString(LPCSTR lpszItem) { return Send(*this, LB_ADDSTRING, 0, TextParam(lpszItem)); }

int CListBox::DeleteString(UINT nIndex) { return Send(*this, LB_DELETESTRING, nIndex); }

int CListBox::GetCount() const { return Send(*this, LB_GETCOUNT); }

int CListBox::GetCurSel() const { return Send(*this, LB_GETCURSEL); }

int CListBox::SetCurSel(int nSelect) { return Send(*this, LB_SETCURSEL, static_cast<WPARAM>(nSelect)); }

int CListBox::GetText(int nIndex, LPSTR lpszBuffer) const {
  return Send(*this, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer));
}

int CListBox::GetTextLen(int nIndex) const { return Send(*this, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)); }

int CComboBox::AddString(LPCSTR lpszString) { return Send(*this, CB_ADDSTRING, 0, TextParam(lpszString)); }

int CComboBox::GetCount() const { return Send(*this, CB_GETCOUNT); }

int CComboBox::GetCurSel() const { return Send(*this, CB_GETCURSEL); }

int CComboBox::SetCurSel(int nSelect) { return Send(*this, CB_SETCURSEL, static_cast<WPARAM>(nSelect)); }

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const {
  return Send(*this, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText));
}

int CComboBox::GetLBTextLen(int nIndex) const { return Send(*this, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)); }
