// What the terminal backend keeps besides the framework's windows: the dialogs
// on screen, how far each list is scrolled, the open system menu, the wait
// cursor, and where the last paint put what the person can click.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "framework/linux/tui/cell_geometry.h"
#include "framework/linux/tui/list_view.h"
#include "framework/linux/tui/system_menu_popup.h"
#include "framework/linux/window.h"

namespace framework::tui {

struct HitArea {
  enum class What {
    Control,   // a control as a whole
    ListLine,  // line `index` of a list box
    ScrollUp,  // the arrows of a list's scroll bar
    ScrollDown,
    DroppedItem,  // item `index` of a combo's dropped-down list
    DroppedList,  // the rest of a dropped-down list
    CloseBox,     // the caption's close box
    MenuMark,     // the caption's system-menu mark
    MenuItem,     // entry `index` of the open system menu
    Menu,         // the rest of the open system menu
    BoxButton,    // button `index` of the open message box
  };
  What what = What::Control;
  CellRect area;
  HWND window = nullptr;  // the control or dialog; null for the menu and message box
  int index = -1;
};

struct ScreenState {
  std::vector<HWND> dialogs;              // on screen, innermost last
  std::map<HWND, ListView> listViews;     // list boxes
  std::map<HWND, ListView> droppedViews;  // dropped-down combo lists
  std::optional<SystemMenuPopup> menu;
  bool busy = false;
  std::vector<HitArea> hits;  // of the last paint, back to front

  // The topmost area at a cell, or null.
  const HitArea* HitAt(int row, int column) const;
  // Forgets what belongs to a dialog that left the screen.
  void Forget(HWND dialog);
};

}  // namespace framework::tui
