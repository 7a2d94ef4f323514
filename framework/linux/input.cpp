// The person's input: each function changes the control state as the platform
// would and queues the notifications that follow. A window that cannot take
// input (gone, hidden, disabled, or in a dialog under a nested modal window)
// ignores it.
#include "framework/linux/input.h"

#include "base/utf8.h"
#include "framework/linux/backend.h"
#include "framework/linux/combo_edit.h"
#include "framework/linux/focus.h"
#include "framework/linux/list_state.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/modal_loop.h"
#include "framework/linux/window.h"
#include "framework/linux/window_registry.h"

namespace framework {
namespace {

constexpr LPARAM kAltDown = 0x20000000;  // the key message's context bit: Alt is held

bool TakesInput(HWND window) {
  if (!IsLiveWindow(window) || !window->enabled || (window->kind != WindowKind::Dialog && !window->visible)) {
    return false;
  }
  return window->OwningDialog()->enabled;
}

// A click: the first one in the move mode ends the move and does nothing else.
bool TakesClick(HWND window) { return !EndMoveOnClick() && TakesInput(window); }

bool IsFocusable(HWND control) {
  return control->kind == WindowKind::PushButton || control->kind == WindowKind::ListBox ||
         control->kind == WindowKind::ComboBox;
}

bool IsDialog(HWND window) { return IsLiveWindow(window) && window->kind == WindowKind::Dialog; }

void PostCommand(HWND dialog, int id, WORD code, HWND control) {
  PostToQueue({dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control)});
}

void PersonSelects(HWND control, int index) {
  ChangeFocus(control->parent, control);
  if (SelectByPerson(control, index)) PostToQueue(SelectionChangeMessage(control));
}

bool IsItem(HWND control, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < control->List().items.size();
}

}  // namespace

void ClickButton(HWND button) {
  if (!TakesClick(button) || button->kind != WindowKind::PushButton) return;
  ChangeFocus(button->parent, button);
  PostCommand(button->parent, button->id, BN_CLICKED, button);
}

void PostClick(HWND dialog, int controlId) {
  if (!IsDialog(dialog)) return;
  PostCommand(dialog, controlId, BN_CLICKED, dialog->Child(controlId));
}

void SelectListLine(HWND list, int index) {
  if (!TakesClick(list) || list->kind != WindowKind::ListBox || !IsItem(list, index)) return;
  PersonSelects(list, index);
}

void ChooseComboItem(HWND combo, int index) {
  if (!TakesClick(combo) || combo->kind != WindowKind::ComboBox || !IsItem(combo, index)) return;
  if (combo->Combo().droppedDown) SetDropped(combo, false);
  PersonSelects(combo, index);
}

void TypeComboText(HWND combo, const char* text) {
  if (!TakesClick(combo) || !combo->HasEditField()) return;
  ChangeFocus(combo->parent, combo);
  ReplaceEditText(combo, text != nullptr ? text : "");
  PostCommand(combo->parent, combo->id, CBN_EDITCHANGE, combo);
}

void ClickIntoEditField(HWND combo) {
  if (!TakesClick(combo) || !combo->HasEditField()) return;
  for (const auto& control : combo->parent->children) {
    if (control->IsDroppedDown()) SetDropped(control.get(), false);
  }
  FocusEditField(combo);
  SelectAllEditText(combo);
}

void SetComboDropped(HWND combo, bool dropped) {
  if (!IsLiveWindow(combo) || combo->kind != WindowKind::ComboBox) return;
  if (dropped) {
    if (!TakesClick(combo)) return;
    ChangeFocus(combo->parent, combo);
  } else if (!combo->Combo().droppedDown) {
    return;
  }
  // A list that hides (a click elsewhere, a message box over the dialog) is
  // closed whether or not its combo still takes input.
  SetDropped(combo, dropped);
}

void PressKey(HWND dialog, UINT virtualKey, bool shift, bool alt) {
  if (!IsDialog(dialog) || !TakesInput(dialog)) return;
  HWND focus = dialog->Dialog().focus;
  const UINT message = alt || focus == nullptr ? WM_SYSKEYDOWN : WM_KEYDOWN;
  PostToQueue({focus != nullptr ? focus : dialog, message, virtualKey, alt ? kAltDown : 1}, shift);
}

void TypeCharacters(HWND dialog, const std::string& text) {
  if (!IsDialog(dialog) || !TakesInput(dialog)) return;
  HWND focus = dialog->Dialog().focus;
  std::size_t length = 0;
  for (std::size_t at = 0; at < text.size(); at += length) {
    const char32_t character = base::DecodeUtf8(std::string_view(text).substr(at), length);
    if (length == 0) return;
    const UINT message = focus != nullptr ? WM_CHAR : WM_SYSCHAR;
    PostToQueue({focus != nullptr ? focus : dialog, message, character, 1});
  }
}

void SetFocusTo(HWND control) {
  if (!TakesClick(control) || control->kind == WindowKind::Dialog || !IsFocusable(control)) return;
  ChangeFocus(control->parent, control);
}

void CloseBox(HWND dialog) {
  if (!IsDialog(dialog) || !TakesInput(dialog) || (dialog->style & WS_SYSMENU) == 0) return;
  PostToQueue({dialog, WM_CLOSE, 0, 0});
}

void SystemCommand(HWND dialog, UINT commandId) {
  if (!IsDialog(dialog) || !TakesInput(dialog)) return;
  PostToQueue({dialog, WM_SYSCOMMAND, commandId, 0});
}

void PaintMinimized(HWND dialog, int width, int height) {
  if (!IsDialog(dialog)) return;
  dialog->Dialog().iconic = true;
  dialog->Dialog().clientRect = {0, 0, width, height};
  CurrentBackend().WindowChanged(dialog);
  PostToQueue({dialog, WM_PAINT, 0, 0});
}

}  // namespace framework
