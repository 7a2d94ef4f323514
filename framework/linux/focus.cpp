#include "framework/linux/focus.h"

#include "framework/linux/backend.h"
#include "framework/linux/combo_edit.h"
#include "framework/linux/list_state.h"

namespace framework {
namespace {

bool IsTabStop(const HWND__& control) {
  return (control.style & WS_TABSTOP) != 0 && control.visible && control.enabled;
}

// The dialog's focus moves; false when it was there already.
bool SetDialogFocus(HWND dialog, HWND control) {
  HWND previous = dialog->Dialog().focus;
  if (previous == control) return false;
  if (previous != nullptr && previous->IsDroppedDown()) SetDropped(previous, false);
  dialog->Dialog().focus = control;
  CurrentBackend().WindowChanged(dialog);
  return true;
}

}  // namespace

void ChangeFocus(HWND dialog, HWND control) {
  if (!SetDialogFocus(dialog, control) || control == nullptr || !control->HasEditField()) return;
  if (!control->Combo().focusedBefore) {
    control->Combo().focusedBefore = true;
    SelectAllEditText(control);
  }
}

void FocusEditField(HWND combo) { SetDialogFocus(combo->parent, combo); }

void DisabledControlLosesFocus(HWND control) {
  HWND dialog = control->parent;
  if (dialog != nullptr && dialog->Dialog().focus == control) ChangeFocus(dialog, nullptr);
}

void FocusOnReactivation(HWND dialog) {
  if (dialog->kind != WindowKind::Dialog || dialog->Dialog().ended || dialog->Dialog().focus != nullptr) return;
  ChangeFocus(dialog, NextTabStop(dialog, false));
}

HWND NextTabStop(HWND dialog, bool backward) {
  const int count = static_cast<int>(dialog->children.size());
  int position = backward ? count : -1;
  for (int k = 0; k < count; ++k) {
    if (dialog->children[static_cast<std::size_t>(k)].get() == dialog->Dialog().focus) position = k;
  }
  const int step = backward ? count - 1 : 1;
  for (int tried = 0; tried < count; ++tried) {
    position = (position + step + count) % count;
    HWND candidate = dialog->children[static_cast<std::size_t>(position)].get();
    if (IsTabStop(*candidate)) return candidate;
  }
  return nullptr;
}

}  // namespace framework
