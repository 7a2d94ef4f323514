// Which keys the dialog manager of the core decides on, and which stay with the
// Qt widget that has them. The core is the only one to handle the dialog keys
// (Escape, Enter, Tab, Space), the lists' and combos' keys (navigation,
// type-ahead, F4 and Alt+arrows) also in a combo's open list, so Qt's own
// focus chain, default button and list handling never run. Only a closed
// drop-down's field takes its typing and its cursor keys itself.
#pragma once

#include <Qt>

#include "framework/linux/winuser.h"

namespace framework::qt {

// The control that receives a key, as far as routing is concerned.
enum class KeyTarget {
  None,  // the dialog itself, or a control that takes no keys
  PushButton,
  ListBox,
  DropDownList,  // a combo without edit field
  DropDown,      // a combo with an edit field
};

struct KeyRoute {
  enum class Action {
    LeaveToQt,      // the widget handles the key itself (typing, F4)
    Swallow,        // nobody handles it
    PressKey,       // WM_KEYDOWN (with Alt: WM_SYSKEYDOWN) through the core
    TypeText,       // the key's text, typed through the core (WM_CHAR)
    SystemCommand,  // WM_SYSCOMMAND through the core
  };
  Action action = Action::LeaveToQt;
  UINT code = 0;  // the virtual key or the system command
  bool shift = false;
  bool alt = false;
  // The key closes a combo's open list before it reaches the core.
  bool closesPopup = false;
};

// `popupOpen`: the key arrived in the open list of a combo.
KeyRoute RouteKey(int key, Qt::KeyboardModifiers modifiers, KeyTarget target, bool popupOpen);

}  // namespace framework::qt
