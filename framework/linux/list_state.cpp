#include "framework/linux/list_state.h"

#include <algorithm>

#include "base/ascii.h"
#include "framework/linux/backend.h"
#include "framework/linux/text_order.h"

namespace framework {
namespace {

bool IsLine(HWND control, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < control->List().items.size();
}

// Where a sorted list puts a new line: the platform's binary search, which
// stops at the first equal line it meets and puts the new one before it.
int SortedPosition(const std::vector<std::string>& lines, const std::string& text) {
  int min = 0;
  int max = static_cast<int>(lines.size()) - 1;
  while (min <= max) {
    const int index = (min + max) / 2;
    const int order = CompareListText(lines[static_cast<std::size_t>(index)], text);
    if (order == 0) return index;
    if (order > 0) {
      max = index - 1;
    } else {
      min = index + 1;
    }
  }
  return min;
}

}  // namespace

int AddLine(HWND control, std::string text) {
  const int index = control->IsSortedList() ? SortedPosition(control->List().items, text)
                                            : static_cast<int>(control->List().items.size());
  control->List().items.insert(control->List().items.begin() + index, std::move(text));
  if (control->List().selection >= index) ++control->List().selection;
  CurrentBackend().WindowChanged(control);
  return index;
}

int DeleteLine(HWND control, int index) {
  if (!IsLine(control, index)) return -1;
  ListPart& list = control->List();
  list.items.erase(list.items.begin() + index);
  if (list.selection == index) {
    list.selection = -1;
  } else if (list.selection > index) {
    --list.selection;
  }
  list.caret = std::clamp(list.caret, 0, std::max(static_cast<int>(list.items.size()) - 1, 0));
  CurrentBackend().WindowChanged(control);
  return static_cast<int>(control->List().items.size());
}

bool SelectLine(HWND control, int index) {
  if (index != -1 && !IsLine(control, index)) return false;
  control->List().selection = index;
  if (index != -1) control->List().caret = index;
  if (control->kind == WindowKind::ComboBox) {
    ComboPart& combo = control->Combo();
    combo.editText = index == -1 ? std::string() : combo.items[static_cast<std::size_t>(index)];
    const bool focused = control->parent != nullptr && control->parent->Dialog().focus == control;
    combo.selectionStart = 0;
    combo.selectionEnd = focused ? combo.editText.size() : 0;
  }
  CurrentBackend().WindowChanged(control);
  return true;
}

int FindLineStartingWith(const HWND__& control, std::string_view prefix, int after) {
  const auto& lines = control.List().items;
  const int count = static_cast<int>(lines.size());
  if (prefix.empty()) return -1;
  for (int step = 1; step <= count; ++step) {
    const int index = ((after + step) % count + count) % count;
    if (base::StartsWithIgnoringAsciiCase(lines[static_cast<std::size_t>(index)], prefix)) return index;
  }
  return -1;
}

void SetDropped(HWND combo, bool dropped) {
  ComboPart& part = combo->Combo();
  if (dropped && !part.droppedDown && combo->HasEditField()) {
    const int match = FindLineStartingWith(*combo, part.editText, -1);
    part.selection = -1;
    part.caret = 0;
    if (match >= 0) SelectLine(combo, match);
  }
  part.droppedDown = dropped;
  CurrentBackend().WindowChanged(combo);
}

bool SelectByPerson(HWND control, int index) {
  const bool notifies =
      control->kind == WindowKind::ListBox ? (control->style & LBS_NOTIFY) != 0 : control->List().selection != index;
  SelectLine(control, index);
  return notifies;
}

MSG SelectionChangeMessage(HWND control) {
  const WORD code = control->kind == WindowKind::ListBox ? LBN_SELCHANGE : CBN_SELCHANGE;
  return {control->parent, WM_COMMAND, MAKEWPARAM(control->id, code), reinterpret_cast<LPARAM>(control)};
}

}  // namespace framework
