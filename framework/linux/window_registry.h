// The windows that exist: created from a dialog template, destroyed with their
// dialog. A handle is checked against this record before it is used, so a
// stale handle is refused instead of followed.
#pragma once

#include "framework/linux/window.h"

namespace framework {

// Creates a dialog's window and one window per control, in template order.
// The dialog stays hidden; `owner` is the window it is modal over, or null.
HWND CreateDialogWindows(const res::DialogTemplate& dialogTemplate, HWND owner);
// Detaches every wrapper from the dialog's windows, forgets their queued
// messages and destroys them.
void DestroyDialogWindows(HWND dialog);
bool IsLiveWindow(HWND window);

}  // namespace framework
