#include "list_state.h"

#include <algorithm>

#include "backend.h"
#include "text_order.h"

namespace framework {
namespace {

bool IsLine(HWND control, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < control->items.size();
}

}  // namespace

int AddLine(HWND control, std::string text) {
  auto position = control->items.end();
  if (control->IsSortedList()) {
    position = std::upper_bound(control->items.begin(), control->items.end(), text,
                                [](const std::string& line, const std::string& other) {
                                  return CompareListText(line, other) < 0;
                                });
  }
  const int index = static_cast<int>(position - control->items.begin());
  control->items.insert(position, std::move(text));
  if (control->selection >= index) ++control->selection;
  CurrentBackend().WindowChanged(control);
  return index;
}

int DeleteLine(HWND control, int index) {
  if (!IsLine(control, index)) return -1;
  control->items.erase(control->items.begin() + index);
  if (control->selection == index) {
    control->selection = -1;
  } else if (control->selection > index) {
    --control->selection;
  }
  CurrentBackend().WindowChanged(control);
  return static_cast<int>(control->items.size());
}

bool SelectLine(HWND control, int index) {
  if (index != -1 && !IsLine(control, index)) return false;
  control->selection = index;
  if (control->kind == WindowKind::ComboBox) {
    control->editText = index == -1 ? std::string() : control->items[static_cast<std::size_t>(index)];
  }
  CurrentBackend().WindowChanged(control);
  return true;
}

bool SelectByPerson(HWND control, int index) {
  const bool notifies = control->kind == WindowKind::ListBox ? (control->style & LBS_NOTIFY) != 0
                                                             : control->selection != index;
  SelectLine(control, index);
  return notifies;
}

MSG SelectionChangeMessage(HWND control) {
  const WORD code = control->kind == WindowKind::ListBox ? LBN_SELCHANGE : CBN_SELCHANGE;
  return {control->parent, WM_COMMAND, MAKEWPARAM(control->id, code), reinterpret_cast<LPARAM>(control)};
}

}  // namespace framework
