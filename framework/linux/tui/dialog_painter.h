// Paints a dialog: a double frame with the system-menu mark, the caption and
// the close box on its top border, its visible controls in template order
// inside the frame, and a dropped-down combo list over them all. A list whose
// longest line is wider than its template makes the dialog wider.
#pragma once

#include "framework/linux/tui/paint_context.h"

namespace framework::tui {

// The cells a dialog's box takes: its template's, and as many more columns
// as its lists need to show their longest lines whole.
CellSize DialogBoxCells(const HWND__& dialog);

// Where a dialog's box stands on a screen: centred.
CellRect DialogBoxOnScreen(const HWND__& dialog, CellSize screen);

// `active`: the person works in this dialog, so its focus shows.
void PaintDialog(PaintContext& context, const HWND__& dialog, CellSize screen, bool active);

}  // namespace framework::tui
