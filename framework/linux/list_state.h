// The lines of list boxes and the items of combo boxes, with their selection.
// Changing them here keeps the selection on the same line and tells the
// backend; nothing here notifies the dialog.
#pragma once

#include <string>
#include <string_view>

#include "framework/linux/window.h"

namespace framework {

// Adds a line: in text order to a sorted list box, else at the end. Returns its index.
int AddLine(HWND control, std::string text);
// Deletes line `index`; returns the number of lines left, or -1 for a bad index.
int DeleteLine(HWND control, int index);
// Selects line `index` (the caret goes with it), or nothing for -1; a combo's
// edit field shows the selected item, all of it selected while the combo has
// the focus. Returns false (and changes nothing) for an index out of range.
bool SelectLine(HWND control, int index);
// The first line after line `after` (from the top for -1), round to it
// again, that begins with `prefix` regardless of ASCII case; -1 when none
// does or the prefix is empty.
int FindLineStartingWith(const HWND__& control, std::string_view prefix, int after);

// Drops a combo's list down or closes it. A drop-down's list drops with the
// first item that begins with the edit field's text selected, and the field
// then shows that item; when no item does, with none selected and the caret
// on the first.
void SetDropped(HWND combo, bool dropped);

// The person selects line `index` (in range). Returns whether the dialog is to
// be told: a list box with LBS_NOTIFY tells every selection, also of the line
// already selected; a combo only a change of item.
bool SelectByPerson(HWND control, int index);
// The WM_COMMAND that tells the dialog of a person's selection in `control`.
MSG SelectionChangeMessage(HWND control);

}  // namespace framework
