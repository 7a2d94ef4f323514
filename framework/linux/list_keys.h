// The keyboard in a list box and in a combo box, as the platform's controls
// take it: the navigation keys, Space, type-ahead, F4 and Alt+Up/Down for a
// combo's list, and the keys of a drop-down's edit field. A selection made
// here is the person's, and the dialog is told of it at once.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// A key (WM_KEYDOWN, WM_SYSKEYDOWN) or a typed character (WM_CHAR, its code
// point) for a list box or a combo box.
void HandleListKey(HWND control, UINT message, WPARAM wParam);

}  // namespace framework
