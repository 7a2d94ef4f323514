// The edit field of a drop-down combo (CBS_DROPDOWN), as the platform's edit
// control in it behaves: a typed character replaces the selected text, Home,
// End and the left and right arrows move the text cursor, and every change of
// the text moves the combo's list with it.
#pragma once

#include <string>

#include "framework/linux/window.h"

namespace framework {

// The person's text replaces the whole field (typed in a backend's own
// field); the cursor goes to its end.
void ReplaceEditText(HWND combo, std::string text);
// Moves the text cursor for VK_HOME, VK_END, VK_LEFT or VK_RIGHT; false for
// any other key.
bool MoveEditCursor(HWND combo, UINT key);
// A typed character: a printable one replaces the selected text, a backspace
// (8) deletes it or else the character before the cursor. Returns whether
// the text changed.
bool TypeIntoEdit(HWND combo, char32_t character);
// Selects the whole text, to be typed over.
void SelectAllEditText(HWND combo);

}  // namespace framework
