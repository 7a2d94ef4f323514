// The lines of list boxes and the items of combo boxes, with their selection.
// Changing them here keeps the selection on the same line and tells the
// backend; nothing here notifies the dialog.
#pragma once

#include <string>

#include "framework/linux/window.h"

namespace framework {

// Adds a line: in text order to a sorted list box, else at the end. Returns its index.
int AddLine(HWND control, std::string text);
// Deletes line `index`; returns the number of lines left, or -1 for a bad index.
int DeleteLine(HWND control, int index);
// Selects line `index`, or nothing for -1; a combo's edit field shows the
// selected item. Returns false (and changes nothing) for an index out of range.
bool SelectLine(HWND control, int index);

// The person selects line `index` (in range). Returns whether the dialog is to
// be told: a list box with LBS_NOTIFY tells every selection, also of the line
// already selected; a combo only a change of item.
bool SelectByPerson(HWND control, int index);
// The WM_COMMAND that tells the dialog of a person's selection in `control`.
MSG SelectionChangeMessage(HWND control);

}  // namespace framework
