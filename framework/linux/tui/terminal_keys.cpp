#include "framework/linux/tui/terminal_keys.h"

#include <curses.h>

namespace framework::tui {
namespace {

constexpr int kAltFunctionKeyOffset = 48;  // xterm reports Alt+Fn as F(n + 48)

}  // namespace

InputEvent EventOfCharacter(char32_t character) {
  switch (character) {
    case U'\t':
      return InputEvent::Press(Key::Tab);
    case U'\r':
    case U'\n':
      return InputEvent::Press(Key::Enter);
    case 27:
      return InputEvent::Press(Key::Escape);
    case U' ':
      return InputEvent::Press(Key::Space);
    case 8:
    case 127:
      return InputEvent::Press(Key::Backspace);
    case 3:
      return InputEvent::Press(Key::Interrupt);
    case 12:
      return InputEvent::Press(Key::Redraw);
    default:
      if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return {};
      return InputEvent::Press(Key::Character, character);
  }
}

InputEvent EventOfFunctionKey(int code) {
  switch (code) {
    case KEY_BTAB:
      return InputEvent::Press(Key::BackTab);
    case KEY_ENTER:
      return InputEvent::Press(Key::Enter);
    case KEY_BACKSPACE:
      return InputEvent::Press(Key::Backspace);
    case KEY_UP:
      return InputEvent::Press(Key::Up);
    case KEY_DOWN:
      return InputEvent::Press(Key::Down);
    case KEY_LEFT:
      return InputEvent::Press(Key::Left);
    case KEY_RIGHT:
      return InputEvent::Press(Key::Right);
    case KEY_HOME:
      return InputEvent::Press(Key::Home);
    case KEY_END:
      return InputEvent::Press(Key::End);
    case KEY_PPAGE:
      return InputEvent::Press(Key::PageUp);
    case KEY_NPAGE:
      return InputEvent::Press(Key::PageDown);
    case KEY_F(4):
      return InputEvent::Press(Key::F4);
    case KEY_F(10):
      return InputEvent::Press(Key::F10);
    case KEY_F(4 + kAltFunctionKeyOffset):
      return InputEvent::Press(Key::AltF4);
    case KEY_RESIZE:
      return {InputEvent::Kind::Resize, Key::None, 0, 0, 0};
    default:
      return {};
  }
}

InputEvent WithAlt(const InputEvent& key) {
  if (key.kind != InputEvent::Kind::Key) return {};
  switch (key.key) {
    case Key::Space:
      return InputEvent::Press(Key::AltSpace);
    case Key::Up:
      return InputEvent::Press(Key::AltUp);
    case Key::Down:
      return InputEvent::Press(Key::AltDown);
    case Key::F4:
      return InputEvent::Press(Key::AltF4);
    default:
      return {};
  }
}

}  // namespace framework::tui
