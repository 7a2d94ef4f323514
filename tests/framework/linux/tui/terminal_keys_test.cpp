// What the codes curses reads mean as keys.
#include <gtest/gtest.h>

#include "framework/linux/tui/terminal_keys.h"

// After the code under test: curses defines macros for short common words.
#include <curses.h>

namespace framework::tui {
namespace {

Key KeyOf(const InputEvent& event) { return event.kind == InputEvent::Kind::Key ? event.key : Key::None; }

TEST(TerminalKeys, CharactersThatAreKeys) {
  EXPECT_EQ(KeyOf(EventOfCharacter(U'\t')), Key::Tab);
  EXPECT_EQ(KeyOf(EventOfCharacter(U'\r')), Key::Enter);
  EXPECT_EQ(KeyOf(EventOfCharacter(U'\n')), Key::Enter);
  EXPECT_EQ(KeyOf(EventOfCharacter(27)), Key::Escape);
  EXPECT_EQ(KeyOf(EventOfCharacter(U' ')), Key::Space);
  EXPECT_EQ(KeyOf(EventOfCharacter(127)), Key::Backspace);
  EXPECT_EQ(KeyOf(EventOfCharacter(8)), Key::Backspace);
  EXPECT_EQ(KeyOf(EventOfCharacter(3)), Key::Interrupt);
  EXPECT_EQ(KeyOf(EventOfCharacter(12)), Key::Redraw);
}

TEST(TerminalKeys, PrintableCharactersAreTypedOthersIgnored) {
  const InputEvent typed = EventOfCharacter(U'設');
  EXPECT_EQ(KeyOf(typed), Key::Character);
  EXPECT_EQ(typed.character, U'設');
  EXPECT_EQ(EventOfCharacter(1).kind, InputEvent::Kind::Nothing);
  EXPECT_EQ(EventOfCharacter(0x85).kind, InputEvent::Kind::Nothing);
}

TEST(TerminalKeys, FunctionKeys) {
  EXPECT_EQ(KeyOf(EventOfFunctionKey(KEY_BTAB)), Key::BackTab);
  EXPECT_EQ(KeyOf(EventOfFunctionKey(KEY_ENTER)), Key::Enter);
  EXPECT_EQ(KeyOf(EventOfFunctionKey(KEY_NPAGE)), Key::PageDown);
  EXPECT_EQ(KeyOf(EventOfFunctionKey(KEY_F(10))), Key::F10);
  EXPECT_EQ(KeyOf(EventOfFunctionKey(KEY_F(52))), Key::AltF4);
  EXPECT_EQ(EventOfFunctionKey(KEY_RESIZE).kind, InputEvent::Kind::Resize);
  EXPECT_EQ(EventOfFunctionKey(KEY_F(7)).kind, InputEvent::Kind::Nothing);
}

TEST(TerminalKeys, KeysAfterEscapeAreAltCombinations) {
  EXPECT_EQ(KeyOf(WithAlt(EventOfCharacter(U' '))), Key::AltSpace);
  EXPECT_EQ(KeyOf(WithAlt(EventOfFunctionKey(KEY_DOWN))), Key::AltDown);
  EXPECT_EQ(KeyOf(WithAlt(EventOfFunctionKey(KEY_F(4)))), Key::AltF4);
  EXPECT_EQ(WithAlt(EventOfCharacter(U'x')).kind, InputEvent::Kind::Nothing);
  EXPECT_EQ(WithAlt(EventOfFunctionKey(KEY_RESIZE)).kind, InputEvent::Kind::Nothing);
}

}  // namespace
}  // namespace framework::tui
