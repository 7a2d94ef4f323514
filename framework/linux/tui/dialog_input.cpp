#include "framework/linux/tui/dialog_input.h"

#include "base/utf8.h"
#include "framework/linux/input.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

constexpr int kWheelLines = 3;

bool IsCombo(HWND control) { return control != nullptr && control->kind == WindowKind::ComboBox; }
bool IsList(HWND control) { return control != nullptr && control->kind == WindowKind::ListBox; }

HWND DroppedCombo(HWND dialog) {
  for (const auto& control : dialog->children) {
    if (control->IsDroppedDown()) return control.get();
  }
  return nullptr;
}

void ToggleDropped(HWND combo) { SetComboDropped(combo, !combo->Combo().droppedDown); }

std::string WithoutLastCharacter(const std::string& text) {
  return text.empty() ? text : text.substr(0, base::Utf8FittingLength(text, text.size() - 1));
}

void Type(HWND combo, const std::string& text) { TypeComboText(combo, text.c_str()); }

void PageList(ScreenState& state, HWND list, int pages) {
  const int lines = static_cast<int>(list->List().items.size());
  const int target = LineAPageAway(list->List().selection, pages, lines, state.listViews[list].rows);
  if (target >= 0 && target != list->List().selection) SelectListLine(list, target);
}

void HandleKey(ScreenState& state, HWND dialog, const InputEvent& event) {
  HWND focus = dialog->Dialog().focus;
  switch (event.key) {
    case Key::Tab:
    case Key::BackTab:
      PressKey(dialog, VK_TAB, event.key == Key::BackTab);
      return;
    case Key::Enter:
      PressKey(dialog, VK_RETURN);
      return;
    case Key::Escape:
      PressKey(dialog, VK_ESCAPE);
      return;
    case Key::Up:
      PressKey(dialog, VK_UP);
      return;
    case Key::Down:
      PressKey(dialog, VK_DOWN);
      return;
    // An edit field here has no caret to move, so Home and End choose the
    // first and last item in every combo, as in a list.
    case Key::Home:
      PressKey(dialog, VK_HOME);
      return;
    case Key::End:
      PressKey(dialog, VK_END);
      return;
    case Key::PageUp:
    case Key::PageDown:
      if (IsList(focus)) PageList(state, focus, event.key == Key::PageUp ? -1 : +1);
      return;
    case Key::Space:
      if (IsCombo(focus) && focus->HasEditField()) {
        Type(focus, focus->Combo().editText + " ");
      } else if (IsCombo(focus)) {
        ToggleDropped(focus);
      } else {
        PressKey(dialog, VK_SPACE);
      }
      return;
    case Key::F4:
    case Key::AltUp:
    case Key::AltDown:
      if (IsCombo(focus)) ToggleDropped(focus);
      return;
    case Key::F10:
    case Key::AltSpace:
      SystemCommand(dialog, SC_KEYMENU);
      return;
    case Key::AltF4:
    case Key::Interrupt:
      SystemCommand(dialog, SC_CLOSE);
      return;
    case Key::Backspace:
      if (IsCombo(focus) && focus->HasEditField() && !focus->Combo().editText.empty()) {
        Type(focus, WithoutLastCharacter(focus->Combo().editText));
      }
      return;
    case Key::Character:
      if (IsCombo(focus) && focus->HasEditField()) Type(focus, focus->Combo().editText + Utf8Of(event.character));
      return;
    default:
      return;
  }
}

void ScrollView(ScreenState& state, HWND control, int delta) {
  if (IsList(control)) state.listViews[control].Scroll(delta, static_cast<int>(control->List().items.size()));
  if (IsCombo(control)) state.droppedViews[control].Scroll(delta, static_cast<int>(control->List().items.size()));
}

void HandleClick(ScreenState& state, HWND dialog, const HitArea* hit) {
  // A click while a combo's list is down picks from it or closes it.
  if (HWND dropped = DroppedCombo(dialog)) {
    if (hit != nullptr && hit->window == dropped && hit->what == HitArea::What::DroppedItem) {
      ChooseComboItem(dropped, hit->index);
    } else if (hit == nullptr || hit->window != dropped || hit->what == HitArea::What::Control) {
      SetComboDropped(dropped, false);
    } else if (hit->what == HitArea::What::ScrollUp || hit->what == HitArea::What::ScrollDown) {
      ScrollView(state, dropped, hit->what == HitArea::What::ScrollUp ? -1 : +1);
    }
    return;
  }
  if (hit == nullptr || hit->window == nullptr || hit->window->OwningDialog() != dialog) return;
  HWND window = hit->window;
  switch (hit->what) {
    case HitArea::What::ListLine:
      if (hit->index == window->List().selection) {
        SetFocusTo(window);
      } else {
        SelectListLine(window, hit->index);
      }
      return;
    case HitArea::What::ScrollUp:
    case HitArea::What::ScrollDown:
      ScrollView(state, window, hit->what == HitArea::What::ScrollUp ? -1 : +1);
      return;
    case HitArea::What::CloseBox:
      CloseBox(dialog);
      return;
    case HitArea::What::MenuMark:
      SystemCommand(dialog, SC_KEYMENU);
      return;
    case HitArea::What::Control:
      if (window->kind == WindowKind::PushButton) ClickButton(window);
      if (IsList(window)) SetFocusTo(window);
      if (IsCombo(window)) ToggleDropped(window);
      return;
    default:
      return;
  }
}

void HandleWheel(ScreenState& state, HWND dialog, const HitArea* hit, int delta) {
  if (hit == nullptr || hit->window == nullptr || hit->window->OwningDialog() != dialog) return;
  ScrollView(state, hit->window, delta * kWheelLines);
}

void HandleMenuEvent(ScreenState& state, const InputEvent& event) {
  SystemMenuPopup::Outcome outcome;
  if (event.kind == InputEvent::Kind::Key) {
    outcome = state.menu->OnKey(event.key, event.character);
  } else if (event.kind == InputEvent::Kind::Click) {
    const HitArea* hit = state.HitAt(event.row, event.column);
    if (hit == nullptr || (hit->what != HitArea::What::MenuItem && hit->what != HitArea::What::Menu)) {
      outcome = state.menu->OnClick(-1);
    } else if (hit->what == HitArea::What::MenuItem) {
      outcome = state.menu->OnClick(hit->index);
    }
  }
  if (!outcome.close) return;
  HWND dialog = state.menu->Dialog();
  state.menu.reset();
  if (outcome.command) SystemCommand(dialog, *outcome.command);
}

}  // namespace

void HandleDialogEvent(ScreenState& state, HWND dialog, const InputEvent& event) {
  if (state.menu) {
    HandleMenuEvent(state, event);
    return;
  }
  switch (event.kind) {
    case InputEvent::Kind::Key:
      HandleKey(state, dialog, event);
      return;
    case InputEvent::Kind::Click:
      HandleClick(state, dialog, state.HitAt(event.row, event.column));
      return;
    case InputEvent::Kind::WheelUp:
    case InputEvent::Kind::WheelDown:
      HandleWheel(state, dialog, state.HitAt(event.row, event.column),
                  event.kind == InputEvent::Kind::WheelUp ? -1 : +1);
      return;
    default:
      return;
  }
}

}  // namespace framework::tui
