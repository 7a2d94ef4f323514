// Paints a dialog: a double frame with the system-menu mark, the caption and
// the close box on its top border, its visible controls in template order
// inside the frame, and a dropped-down combo list over them all.
#pragma once

#include "framework/linux/tui/paint_context.h"

namespace framework::tui {

// Where a dialog's box stands on a screen: centred.
CellRect DialogBoxOnScreen(const HWND__& dialog, CellSize screen);

// `active`: the person works in this dialog, so its focus shows.
void PaintDialog(PaintContext& context, const HWND__& dialog, const CellRect& box, bool active);

}  // namespace framework::tui
