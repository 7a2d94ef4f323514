// Message boxes: the backend shows them modally over their owner's dialog,
// which takes no input until the box is answered.
#include "backend.h"
#include "framework.h"
#include "message_queue.h"
#include "modal_loop.h"
#include "window.h"
#include "window_registry.h"

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  // The box's own loop would take a pending quit request before it first
  // waits: the box ends unseen and unanswered, and the request stays pending.
  if (framework::QuitRequested()) return 0;
  HWND owner = framework::IsLiveWindow(hWnd) ? hWnd->OwningDialog() : nullptr;
  framework::ModalOwnerLock ownerLock(owner);
  return framework::CurrentBackend().MessageBox(owner, lpText != nullptr ? lpText : "",
                                                lpCaption != nullptr ? lpCaption : "Error", uType);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) {
    const CWinApp* app = AfxGetApp();
    lpszCaption = app != nullptr ? app->m_pszAppName : "";
  }
  return MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
