// A message box as a box centred on the screen: its caption on the top border,
// its text wrapped to the screen, and a row of buttons of its type. Modal: it
// takes every key until one of its buttons is pressed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/linux/tui/canvas.h"
#include "framework/linux/tui/input_event.h"
#include "framework/linux/winuser.h"

namespace framework::tui {

struct HitArea;

class MessageBoxPopup {
 public:
  MessageBoxPopup(std::string text, std::string caption, UINT type);

  struct Button {
    std::string label;
    int result;
    char32_t mnemonic;  // 0: no key presses it
    int mnemonicGlyph;  // the glyph of the label underlined, -1 for none
  };
  const std::vector<Button>& Buttons() const { return m_buttons; }
  int Focused() const { return m_focused; }

  // The answer a key gives, if any. Tab and the arrows move between buttons;
  // Enter and Space press the focused one; a button's letter presses it;
  // Escape answers Cancel where the box has it and OK in an OK-only box.
  std::optional<int> OnKey(Key key, char32_t character);
  // A click on button `index`.
  std::optional<int> OnClick(int index) const;

  // The smallest screen the box can show in.
  CellSize MinimumScreen() const;
  // Returns where the cursor goes: on the focused button's label.
  CellPoint Paint(Canvas& canvas, std::vector<HitArea>& hits) const;

 private:
  int ButtonRowCells() const;

  std::string m_text;
  std::string m_caption;
  std::vector<Button> m_buttons;
  int m_focused = 0;
};

}  // namespace framework::tui
