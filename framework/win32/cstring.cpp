#include "framework/framework.h"
#include "framework/win32/wide_text.h"

// The system picks the string table of the thread's user interface language,
// with its own fallback.
BOOL CString::LoadString(UINT nID) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), nID, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) {
    m_text.clear();
    return FALSE;
  }
  m_text = framework::win32::Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
  return TRUE;
}
