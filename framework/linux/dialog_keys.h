// The dialog manager's keyboard handling, run from CDialog::PreTranslateMessage:
// Escape, Enter, Space on a push button, Tab and Shift+Tab.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// Handles a key message for `dialog` or one of its controls; true when the
// key was the dialog manager's and is consumed.
bool HandleDialogKey(HWND dialog, const MSG& msg);

}  // namespace framework
