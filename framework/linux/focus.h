// The keyboard focus inside a dialog and its tab order, which is the template
// order of the controls with WS_TABSTOP that are visible and enabled.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// Moves the dialog's focus to `control` (null: to no control). A combo that
// loses the focus closes its list.
void ChangeFocus(HWND dialog, HWND control);
// The tab stop after the focus (before it when `backward`), wrapping around;
// from no focus, the first (last) one. Null when no control is a tab stop.
HWND NextTabStop(HWND dialog, bool backward);

}  // namespace framework
