// Message boxes: the backend shows them modally over their owner's dialog,
// which takes no input until the box is answered.
#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/modal_loop.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

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
