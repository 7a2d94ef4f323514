#include "framework/linux/list_keys.h"

#include <algorithm>
#include <optional>

#include "base/utf8.h"
#include "framework/linux/backend.h"
#include "framework/linux/combo_edit.h"
#include "framework/linux/list_state.h"

namespace framework {
namespace {

bool IsNavigationKey(WPARAM key) {
  return key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END || key == VK_PRIOR || key == VK_NEXT ||
         key == VK_SPACE;
}

// Where a navigation key puts the selection. The first key on a line that is
// not selected (nothing selected yet, or a line added above the selection)
// selects the caret line; after that the keys move from it, Space staying.
std::optional<int> NavigationTarget(HWND control, WPARAM key) {
  const ListPart& list = control->List();
  const int last = static_cast<int>(list.items.size()) - 1;
  if (last < 0 || !IsNavigationKey(key)) return std::nullopt;
  const int caret = std::clamp(list.caret, 0, last);
  if (list.selection != caret) return caret;
  const int page = CurrentBackend().PageLines(control);
  switch (key) {
    case VK_UP:
      return std::max(caret - 1, 0);
    case VK_DOWN:
      return std::min(caret + 1, last);
    case VK_HOME:
      return 0;
    case VK_END:
      return last;
    case VK_PRIOR:
      return std::max(caret - page + 1, 0);
    case VK_NEXT:
      return std::min(caret + page - 1, last);
    default:
      return std::nullopt;
  }
}

void Notify(HWND control, WORD code) {
  SendMessageA(control->parent, WM_COMMAND, MAKEWPARAM(control->id, code), reinterpret_cast<LPARAM>(control));
}

// The person's selection by the keyboard. The dialog is told every time, also
// when the selection stays on its line (an arrow at the end of the list); a
// dropped list that a typed character chose from closes first.
void SelectByKeyboard(HWND control, int index, bool closesList) {
  SelectLine(control, index);
  if (control->kind == WindowKind::ListBox) {
    if (control->style & LBS_NOTIFY) Notify(control, LBN_SELCHANGE);
    return;
  }
  if (closesList && control->Combo().droppedDown) SetDropped(control, false);
  Notify(control, CBN_SELCHANGE);
}

// Type-ahead: the next line after the caret line, round to it again, that
// begins with the character.
void TypeAhead(HWND control, char32_t character) {
  std::string prefix;
  base::AppendUtf8(prefix, character);
  const int last = static_cast<int>(control->List().items.size()) - 1;
  const int found = FindLineStartingWith(*control, prefix, std::clamp(control->List().caret, 0, std::max(last, 0)));
  if (found >= 0) SelectByKeyboard(control, found, true);
}

void ComboKey(HWND combo, UINT message, WPARAM wParam) {
  const bool editField = combo->HasEditField();
  const bool altArrow = message == WM_SYSKEYDOWN && (wParam == VK_DOWN || wParam == VK_UP);
  if (altArrow || (message == WM_KEYDOWN && wParam == VK_F4)) {
    SetDropped(combo, !combo->Combo().droppedDown);
  } else if (message == WM_CHAR && editField) {
    if (TypeIntoEdit(combo, static_cast<char32_t>(wParam))) Notify(combo, CBN_EDITCHANGE);
  } else if (message == WM_CHAR) {
    TypeAhead(combo, static_cast<char32_t>(wParam));
  } else if (message == WM_KEYDOWN && !(editField && (wParam == VK_SPACE || MoveEditCursor(combo, wParam)))) {
    // In an edit field Space is typed and Home, End, Left and Right move the
    // text cursor; the other keys go to the list.
    if (const auto target = NavigationTarget(combo, wParam)) SelectByKeyboard(combo, *target, false);
  }
}

}  // namespace

void HandleListKey(HWND control, UINT message, WPARAM wParam) {
  if (control->kind == WindowKind::ComboBox) {
    ComboKey(control, message, wParam);
  } else if (message == WM_CHAR) {
    TypeAhead(control, static_cast<char32_t>(wParam));
  } else if (message == WM_KEYDOWN) {
    if (const auto target = NavigationTarget(control, wParam)) SelectByKeyboard(control, *target, false);
  }
}

}  // namespace framework
