// Turns the person's keys and clicks into input of the dialog they work in,
// through the framework's input functions: the core decides what Tab, Enter,
// Escape, Space on a button and the arrows in lists and combos mean; what
// only the screen knows (paging, scrolling, the system menu popup, clicks on
// what is drawn) is decided here.
#pragma once

#include "framework/linux/tui/input_event.h"
#include "framework/linux/tui/screen_state.h"

namespace framework::tui {

// `dialog`: the dialog whose modal loop waits for input.
void HandleDialogEvent(ScreenState& state, HWND dialog, const InputEvent& event);

}  // namespace framework::tui
