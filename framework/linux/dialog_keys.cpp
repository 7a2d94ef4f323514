#include "framework/linux/dialog_keys.h"

#include "framework/linux/backend.h"
#include "framework/linux/focus.h"
#include "framework/linux/input.h"

namespace framework {
namespace {

bool IsUsablePushButton(HWND control) {
  return control != nullptr && control->kind == WindowKind::PushButton && control->enabled && control->visible;
}

void Command(HWND dialog, int id, HWND control) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Closes a dropped-down combo list; false when none was down.
bool CloseDroppedList(HWND dialog) {
  for (const auto& control : dialog->children) {
    if (control->IsDroppedDown()) {
      control->Combo().droppedDown = false;
      CurrentBackend().WindowChanged(control.get());
      return true;
    }
  }
  return false;
}

void Enter(HWND dialog) {
  HWND focus = dialog->Dialog().focus;
  if (focus != nullptr && focus->kind == WindowKind::PushButton) {
    // A disabled button cannot be pressed, so Enter does nothing there.
    if (IsUsablePushButton(focus)) Command(dialog, focus->id, focus);
    return;
  }
  if (CloseDroppedList(dialog)) return;
  Command(dialog, IDOK, dialog->Child(IDOK));
}

void Escape(HWND dialog) {
  if (CloseDroppedList(dialog)) return;
  Command(dialog, IDCANCEL, dialog->Child(IDCANCEL));
}

void Tab(HWND dialog, bool backward) {
  if (HWND next = NextTabStop(dialog, backward)) ChangeFocus(dialog, next);
}

}  // namespace

bool HandleDialogKey(HWND dialog, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.hwnd == nullptr || msg.hwnd->OwningDialog() != dialog) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
      Escape(dialog);
      return true;
    case VK_RETURN:
      Enter(dialog);
      return true;
    case VK_TAB:
      Tab(dialog, ShiftHeld());
      return true;
    case VK_SPACE:
      if (!IsUsablePushButton(dialog->Dialog().focus)) return false;
      Command(dialog, dialog->Dialog().focus->id, dialog->Dialog().focus);
      return true;
    default:
      return false;
  }
}

}  // namespace framework
