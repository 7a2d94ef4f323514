// The person's input as the terminal reports it, before it means anything to
// a dialog: keys, mouse clicks and wheel turns, and changes of the terminal.
#pragma once

namespace framework::tui {

enum class Key {
  None,
  Tab,
  BackTab,  // Shift+Tab
  Enter,
  Escape,
  Space,
  Backspace,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown,
  F4,
  F10,
  AltSpace,
  AltUp,
  AltDown,
  AltF4,
  Interrupt,  // Ctrl+C
  Redraw,     // Ctrl+L
  Character,  // a printable character
};

struct InputEvent {
  enum class Kind {
    Key,
    Click,  // the first button went down at (row, column)
    WheelUp,
    WheelDown,
    Resize,
    Hangup,   // the terminal is gone: no input will ever come
    Nothing,  // something the program does not use
  };
  Kind kind = Kind::Nothing;
  Key key = Key::None;
  char32_t character = 0;  // for Key::Character
  int row = 0;
  int column = 0;

  static InputEvent Press(Key key, char32_t character = 0) { return {Kind::Key, key, character, 0, 0}; }
  static InputEvent At(Kind kind, int row, int column) { return {kind, Key::None, 0, row, column}; }
};

}  // namespace framework::tui
