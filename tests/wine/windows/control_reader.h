// A dialog's controls and a message box as a person sees them, read with the
// platform's own messages. The same calls serve on the program's own thread
// (the scenario agent) and from another process (the dialog inspector): the
// system carries the texts of windows, list boxes and combo boxes across.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace wine_test {

struct ControlState {
  HWND window = nullptr;
  int id = 0;  // IDC_STATIC reads as -1
  std::wstring className;
  LONG style = 0;
  bool enabled = false;
  bool visible = false;
  std::string text;                // UTF-8
  std::vector<std::string> items;  // the lines of a list box or of a combo box's list
  int selection = -1;              // the selected one of them
  bool showsIcon = false;          // an icon static that has its icon
};

// Every child window of window, in the system's order.
std::vector<ControlState> ReadControls(HWND window);

struct MessageBoxState {
  std::string caption;
  std::string text;       // its one static that shows no icon
  std::set<int> buttons;  // the ids of its shown buttons
};

MessageBoxState ReadMessageBox(HWND box);

}  // namespace wine_test
