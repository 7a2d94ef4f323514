// A dialog's system menu as a popup under its caption's menu mark: the
// platform's own item of a dialog (Close) followed by the items the program
// appended. The person moves through it with the arrows, chooses with Enter,
// Space, a mnemonic letter or a click, and leaves it with Escape or a click
// outside.
#pragma once

#include <optional>
#include <vector>

#include "framework/linux/tui/canvas.h"
#include "framework/linux/tui/input_event.h"
#include "framework/linux/tui/text_cells.h"
#include "framework/linux/window.h"

namespace framework::tui {

struct HitArea;

struct MenuEntry {
  bool separator = false;
  UINT command = 0;
  PrefixedText label;
  bool enabled = true;
};

// The entries of a dialog's system menu.
std::vector<MenuEntry> SystemMenuEntries(const HWND__& dialog);

class SystemMenuPopup {
 public:
  SystemMenuPopup(HWND dialog, std::vector<MenuEntry> entries);

  HWND Dialog() const { return m_dialog; }
  const std::vector<MenuEntry>& Entries() const { return m_entries; }
  int Highlighted() const { return m_highlighted; }

  struct Outcome {
    bool close = false;           // the menu goes away
    std::optional<UINT> command;  // with this command chosen
  };
  Outcome OnKey(Key key, char32_t character);
  // A click on entry `index`; -1 for a click outside the menu.
  Outcome OnClick(int index);

  // Where the menu shows, below the top-left corner of the dialog's box.
  CellRect Place(const CellRect& dialogBox, CellSize screen) const;
  // Returns where the cursor goes: on the chosen entry, else the menu's corner.
  CellPoint Paint(Canvas& canvas, const CellRect& place, std::vector<HitArea>& hits) const;

 private:
  bool Choosable(int index) const;
  void Step(int direction, int from);
  Outcome Choose(int index) const;

  HWND m_dialog;
  std::vector<MenuEntry> m_entries;
  int m_highlighted = -1;
};

}  // namespace framework::tui
