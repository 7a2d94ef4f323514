// The person's input, as every backend reports it. Each function changes the
// control state the way the platform would and posts the notifications that
// follow from it to the framework's message queue; the modal loop then takes
// them in order.
#pragma once

#include <string>

#include "framework/linux/winuser.h"

namespace framework {

// The dialog whose modal loop runs innermost (the one on top), or null.
HWND TopDialog();

// Whether the framework's message queue holds a message for the modal loop
// (a pending quit request counts).
bool HasPendingMessages();
// Empties the queue and drops a pending quit request: a fresh start.
void DiscardPendingMessages();

// A click on a push button: BN_CLICKED to its dialog. Ignored for a control
// that is disabled or hidden, unless it is sent on purpose with PostClick.
void ClickButton(HWND button);
// A click notification sent to the dialog whatever the control's state.
void PostClick(HWND dialog, int controlId);

// The person selects line `index` of a list box: LBN_SELCHANGE.
void SelectListLine(HWND list, int index);
// The person picks item `index` of a combo's list: CBN_SELCHANGE unless the
// item is already selected.
void ChooseComboItem(HWND combo, int index);
// The person's text, typed in a backend's own field, becomes the whole text
// of a CBS_DROPDOWN combo's edit field; ignored for a drop-down list. The
// list follows the text (combo_edit.h): the text is never the person's choice.
void TypeComboText(HWND combo, const char* text);
// A click into the edit field of a CBS_DROPDOWN combo: a dropped list closes,
// as on any click outside it, the focus moves to the combo and its text is
// selected, to be typed over.
void ClickIntoEditField(HWND combo);
// Drops a combo's list down or closes it.
void SetComboDropped(HWND combo, bool dropped);

// A key press: WM_KEYDOWN to the control that has the focus. With Alt held,
// or when no control has the focus, the platform sends it as a system key
// (WM_SYSKEYDOWN, to the dialog when no control has the focus), which the
// dialog manager does not take. `shift` is whether Shift is held (Shift+Tab).
void PressKey(HWND dialog, UINT virtualKey, bool shift = false, bool alt = false);
// The person types text with the focus where it is: one WM_CHAR per
// character (its code point) to the focused control.
void TypeCharacters(HWND dialog, const std::string& text);
// The focus moves to a control by the person's click or by the script.
void SetFocusTo(HWND control);

// The close box (WM_CLOSE) and a system-menu choice (WM_SYSCOMMAND).
void CloseBox(HWND dialog);
void SystemCommand(HWND dialog, UINT commandId);

// The dialog is minimized, with a client area of width x height; WM_PAINT is
// posted to it.
void PaintMinimized(HWND dialog, int width, int height);

// Whether Shift is held for the key message now being handled.
bool ShiftHeld();

}  // namespace framework
