#include "framework/linux/focus.h"

#include "framework/linux/backend.h"

namespace framework {
namespace {

bool IsTabStop(const HWND__& control) {
  return (control.style & WS_TABSTOP) != 0 && control.visible && control.enabled;
}

}  // namespace

void ChangeFocus(HWND dialog, HWND control) {
  HWND previous = dialog->Dialog().focus;
  if (previous == control) return;
  if (previous != nullptr && previous->IsDroppedDown()) {
    previous->Combo().droppedDown = false;
    CurrentBackend().WindowChanged(previous);
  }
  dialog->Dialog().focus = control;
  CurrentBackend().WindowChanged(dialog);
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
