// One painter per kind of control. Each paints inside the control's cells (the
// canvas's clip keeps it there), notes where the person can click, and puts
// the terminal's cursor on the control with the focus: on a button's label,
// a list's caret line, a combo's field.
#pragma once

#include "framework/linux/tui/paint_context.h"

namespace framework::tui {

// `area`: the control's cells on the screen. `focused`: it has the focus in
// the dialog the person works in.
void PaintGroupBox(PaintContext& context, const HWND__& control, const CellRect& area);
void PaintStatic(PaintContext& context, const HWND__& control, const CellRect& area);
void PaintIcon(PaintContext& context, const HWND__& control, const CellRect& area);
void PaintPushButton(PaintContext& context, const HWND__& control, const CellRect& area, bool focused);
void PaintListBox(PaintContext& context, const HWND__& control, const CellRect& area, bool focused);
void PaintComboField(PaintContext& context, const HWND__& control, const CellRect& area, bool focused);
// A combo's dropped-down list, under its field (above it when the screen has
// no room below); painted over everything else of the dialog. `active`: the
// person works in its dialog, so the cursor goes to its chosen item.
void PaintDroppedList(PaintContext& context, const HWND__& control, const CellRect& area, bool active);

// Where a dropped-down list shows for a combo whose cells are `area`.
CellRect DroppedListPlace(const CellRect& area, int items, CellSize screen);

}  // namespace framework::tui
