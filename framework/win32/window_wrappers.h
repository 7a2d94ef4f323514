// Which CWnd stands for which window. A window has at most one permanent
// wrapper: a dialog (whose window procedure the framework takes over, so that
// its message map sees every message) or a control bound with DDX_Control. A
// control without one gets a temporary wrapper from GetDlgItem, kept until its
// dialog is destroyed.
#pragma once

#include <windows.h>

class CWnd;

namespace framework::win32 {

// Binds wrapper to window; for a dialog, routes the window's messages through
// the wrapper's WindowProc from now on. False when window has a wrapper already.
bool AttachWrapper(HWND window, CWnd* wrapper, bool takeOverMessages);
// Unbinds the wrapper of window and gives the window its procedure back.
void DetachWrapper(HWND window);
// Unbinds every wrapper, permanent or temporary, of the windows inside dialog.
void DetachDescendants(HWND dialog);

CWnd* PermanentWrapper(HWND window);
// The permanent wrapper, else a temporary one made on first use.
CWnd* WrapperOf(HWND window);

// The window procedure under the framework's: default processing of a message.
LRESULT CallOriginalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace framework::win32
