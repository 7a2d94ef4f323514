// What the codes that curses reads mean as keys.
#pragma once

#include "framework/linux/tui/input_event.h"

namespace framework::tui {

// A character that curses read (not a function key).
InputEvent EventOfCharacter(char32_t character);
// A function key code (KEY_*) that curses read.
InputEvent EventOfFunctionKey(int code);
// A key that followed Escape at once: the same key with Alt held. Nothing for
// a combination the dialogs do not use.
InputEvent WithAlt(const InputEvent& key);

}  // namespace framework::tui
