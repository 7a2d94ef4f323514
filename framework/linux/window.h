// The dialog manager's record of one window: a dialog or one of its controls.
// All control state lives here, once; backends only show it and report the
// person's input through input.h. Nothing here knows any particular dialog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/linux/winuser.h"

class CWnd;

namespace res {
struct DialogTemplate;
struct IconGroup;
}  // namespace res

namespace framework {

enum class WindowKind { Dialog, PushButton, GroupBox, Static, IconStatic, ListBox, ComboBox };

struct MenuItem {
  UINT flags = MF_STRING;  // MF_STRING or MF_SEPARATOR
  UINT_PTR id = 0;
  std::string text;
};

}  // namespace framework

// A window's system menu, as GetSystemMenu hands it out.
struct HMENU__ {
  HWND__* window = nullptr;
};

// Painting into a window, between BeginPaint and EndPaint.
struct HDC__ {
  HWND__* window = nullptr;
};

struct HICON__ {
  const res::IconGroup* group = nullptr;
  int resourceId = 0;
};

struct HWND__ {
  framework::WindowKind kind = framework::WindowKind::Static;
  int id = 0;                // control id; the template id for a dialog
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};               // in dialog units, as in the template
  std::string text;          // caption of a dialog, text of a control (UTF-8)
  bool enabled = true;
  bool visible = false;

  HWND__* parent = nullptr;  // the dialog of a control; the owner of a dialog
  std::vector<std::unique_ptr<HWND__>> children;  // template order = tab order
  CWnd* wrapper = nullptr;   // the permanent CWnd attached to this window
  std::unique_ptr<CWnd> temporary;  // what GetDlgItem returns when none is attached

  // List boxes and combo boxes.
  std::vector<std::string> items;
  int selection = -1;
  std::string editText;      // a combo's edit field; for a drop-down list, the selected item
  bool droppedDown = false;

  // An SS_ICON static: the icon its template names, null when there is none.
  HICON staticIcon = nullptr;

  // Dialogs.
  const res::DialogTemplate* dialogTemplate = nullptr;
  HWND__* focus = nullptr;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  std::vector<framework::MenuItem> systemMenu;  // the items the program appended
  bool systemMenuTaken = false;                  // GetSystemMenu(FALSE) was called
  HMENU__ systemMenuHandle{this};
  HDC__ paintContext{this};
  bool iconic = false;
  RECT clientRect{};         // in pixels
  bool iconDrawn = false;
  POINT iconPosition{};      // where the last DrawIcon put the icon
  bool running = false;      // its modal loop is taking messages
  bool moving = false;       // in the platform's move mode, begun by the Move command
  bool ended = false;
  INT_PTR result = 0;        // the EndDialog result, or -1 for a quit request

  bool IsSortedList() const { return kind == framework::WindowKind::ListBox && (style & LBS_SORT); }
  bool HasEditField() const {
    return kind == framework::WindowKind::ComboBox && (style & CBS_TYPEMASK) == CBS_DROPDOWN;
  }
  HWND__* Child(int controlId) const;  // the first control with that id, or null
  // The dialog this window belongs to: itself for a dialog, else its parent.
  HWND__* OwningDialog() { return kind == framework::WindowKind::Dialog ? this : parent; }
};
