// The keyboard focus inside a dialog and its tab order, which is the template
// order of the controls with WS_TABSTOP that are visible and enabled.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// Moves the dialog's focus to `control` (null: to no control). A combo that
// loses the focus closes its list. The first time a drop-down combo takes
// the focus, its text is selected.
void ChangeFocus(HWND dialog, HWND control);
// A click into a drop-down combo's edit field moves the focus there: as
// ChangeFocus, but the field's own, so the text keeps its cursor.
void FocusEditField(HWND combo);
// A control disabled while it has the focus loses it, and no control of its
// dialog has it then: keys reach no control and Tab does nothing until the
// person clicks one, as on the platform.
void DisabledControlLosesFocus(HWND control);
// The dialog is active again after a modal window over it (a message box, the
// about box) has ended: with no control focused, the first tab stop takes the
// focus, as the platform's dialog manager gives it on activation.
void FocusOnReactivation(HWND dialog);
// The tab stop after the focus (before it when `backward`), wrapping around;
// from no focus, the first (last) one. Null when no control is a tab stop.
HWND NextTabStop(HWND dialog, bool backward);

}  // namespace framework
