#include "framework/framework.h"
#include "framework/linux/resources.h"

BOOL CString::LoadString(UINT nID) {
  if (framework::LoadResourceString(nID, m_text)) return TRUE;
  m_text.clear();
  return FALSE;
}
