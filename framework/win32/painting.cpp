// Painting between BeginPaint and EndPaint.
#include "framework/framework.h"

namespace {

PAINTSTRUCT g_paint;  // of the innermost CPaintDC; painting does not nest across windows

}  // namespace

CPaintDC::CPaintDC(CWnd* pWnd) : m_pWnd(pWnd) {
  m_hDC = pWnd != nullptr && pWnd->m_hWnd != nullptr ? BeginPaint(pWnd->m_hWnd, &g_paint) : nullptr;
}

CPaintDC::~CPaintDC() {
  if (m_hDC != nullptr) EndPaint(m_pWnd->m_hWnd, &g_paint);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
