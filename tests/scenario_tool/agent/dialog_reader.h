// A dialog as a person sees it, read from the real windows with the
// platform's messages and written as protocol lines (agent_protocol.h):
//   dialog TEMPLATE
//   self ENABLED VISIBLE ICON TEXT                  the dialog itself; ICON: it has a big icon
//   control ID KIND ENABLED VISIBLE ICON SELECTION TEXT ITEM...
//                                                   ICON: an icon static that shows its icon
//   name TEXT                                       the control's accessible name, after its line
//   focus ID | focus none                           the control that has the focus
//   menu FLAGS TEXT                                 an item the program added to the system menu
//   dirty N                                         the main dialog's dirty flag
// KIND is push-button, group-box, static, icon-static, list-box or combo-box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace scenario::agent {

// On the program's thread.
std::vector<std::string> ReadDialog(HWND dialog);

}  // namespace scenario::agent
