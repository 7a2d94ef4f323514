// The dialog manager's record of one window: a dialog or one of its controls.
// All control state lives here, once; backends only show it and report the
// person's input through input.h. Nothing here knows any particular dialog.
//
// A record is what every window has, plus the part of its kind: a list box's
// lines, a combo box's lines and edit field, an icon static's icon, a dialog's
// focus, menu, icons and modal state.
#pragma once

#include <memory>
#include <string>
#include <variant>
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

namespace framework {

// A list box's lines, and a combo box's.
struct ListPart {
  std::vector<std::string> items;
  int selection = -1;
  // The line the keyboard is on (the platform's caret line): where the
  // selection goes and keys move from. It stays when the selection is cleared
  // and when lines are added; a deletion keeps it on the last line at most.
  int caret = 0;
};

struct ComboPart : ListPart {
  std::string editText;  // the edit field; for a drop-down list, the selected item
  // The edit field's selected bytes [selectionStart, selectionEnd); the text
  // cursor stands at selectionEnd.
  std::size_t selectionStart = 0;
  std::size_t selectionEnd = 0;
  bool droppedDown = false;
  bool focusedBefore = false;  // the combo itself has had the focus (not only its edit field, by a click)
};

// An SS_ICON static: the icon its template names, null when there is none.
struct IconPart {
  HICON icon = nullptr;
};

struct DialogPart {
  explicit DialogPart(HWND__* dialog) : systemMenuHandle{dialog}, paintContext{dialog} {}

  const res::DialogTemplate* dialogTemplate = nullptr;
  HWND__* focus = nullptr;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
  std::vector<MenuItem> systemMenu;  // the items the program appended
  bool systemMenuTaken = false;      // GetSystemMenu(FALSE) was called
  HMENU__ systemMenuHandle;
  HDC__ paintContext;
  bool iconic = false;
  RECT clientRect{};  // in pixels
  bool iconDrawn = false;
  POINT iconPosition{};  // where the last DrawIcon put the icon
  bool running = false;  // its modal loop is taking messages
  bool moving = false;   // in the platform's move mode, begun by the Move command
  bool ended = false;
  INT_PTR result = 0;  // the EndDialog result, or -1 for a quit request
};

}  // namespace framework

struct HWND__ {
  // Made for its kind, with that kind's part.
  explicit HWND__(framework::WindowKind windowKind);
  ~HWND__();
  HWND__(const HWND__&) = delete;
  HWND__& operator=(const HWND__&) = delete;

  const framework::WindowKind kind;
  int id = 0;  // control id; the template id for a dialog
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect{};       // in dialog units, as in the template
  std::string text;  // caption of a dialog, text of a control (UTF-8)
  bool enabled = true;
  bool visible = false;

  HWND__* parent = nullptr;                       // the dialog of a control; the owner of a dialog
  std::vector<std::unique_ptr<HWND__>> children;  // template order = tab order
  CWnd* wrapper = nullptr;                        // the permanent CWnd attached to this window
  std::unique_ptr<CWnd> temporary;                // what GetDlgItem returns when none is attached

  // The part of this window's kind; asking for another kind's part is a fault
  // of the caller and throws.
  framework::ListPart& List();  // a list box's or a combo box's
  const framework::ListPart& List() const;
  framework::ComboPart& Combo();
  const framework::ComboPart& Combo() const;
  framework::IconPart& Icon();
  const framework::IconPart& Icon() const;
  framework::DialogPart& Dialog();
  const framework::DialogPart& Dialog() const;

  bool IsDroppedDown() const { return kind == framework::WindowKind::ComboBox && Combo().droppedDown; }
  bool IsSortedList() const { return kind == framework::WindowKind::ListBox && (style & LBS_SORT); }
  bool HasEditField() const {
    return kind == framework::WindowKind::ComboBox && (style & CBS_TYPEMASK) == CBS_DROPDOWN;
  }
  HWND__* Child(int controlId) const;  // the first control with that id, or null
  // The dialog this window belongs to: itself for a dialog, else its parent.
  HWND__* OwningDialog() { return kind == framework::WindowKind::Dialog ? this : parent; }

 private:
  std::variant<std::monostate, framework::ListPart, framework::ComboPart, framework::IconPart, framework::DialogPart>
      m_part;
};
