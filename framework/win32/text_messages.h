// Messages whose parameters are texts, sent with the framework's UTF-8 texts to
// the system's UTF-16 windows.
#pragma once

#include <windows.h>

#include <string>

namespace framework::win32 {

// SendMessageW, except that the text WM_SETTEXT sets and the line that a list
// or combo box message adds, inserts or looks for are converted from UTF-8,
// and the texts that WM_GETTEXT, LB_GETTEXT and CB_GETLBTEXT copy out (and the
// lengths their WM_GETTEXTLENGTH, LB_GETTEXTLEN and CB_GETLBTEXTLEN report)
// are UTF-8. Every other message passes unchanged.
LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's whole text, in UTF-8.
std::string WindowText(HWND window);

}  // namespace framework::win32
