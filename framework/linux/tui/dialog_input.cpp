#include "framework/linux/tui/dialog_input.h"

#include "framework/linux/input.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

constexpr int kWheelLines = 3;

bool IsCombo(HWND control) { return control != nullptr && control->kind == WindowKind::ComboBox; }
bool IsList(HWND control) { return control != nullptr && control->kind == WindowKind::ListBox; }

// The platform's key for a key of the terminal; 0 for none.
UINT VirtualKeyOf(Key key) {
  switch (key) {
    case Key::Enter:
      return VK_RETURN;
    case Key::Escape:
      return VK_ESCAPE;
    case Key::Space:
      return VK_SPACE;
    case Key::Backspace:
      return VK_BACK;
    case Key::Up:
      return VK_UP;
    case Key::Down:
      return VK_DOWN;
    case Key::Left:
      return VK_LEFT;
    case Key::Right:
      return VK_RIGHT;
    case Key::Home:
      return VK_HOME;
    case Key::End:
      return VK_END;
    case Key::PageUp:
      return VK_PRIOR;
    case Key::PageDown:
      return VK_NEXT;
    case Key::F4:
      return VK_F4;
    default:
      return 0;
  }
}

HWND DroppedCombo(HWND dialog) {
  for (const auto& control : dialog->children) {
    if (control->IsDroppedDown()) return control.get();
  }
  return nullptr;
}

void ToggleDropped(HWND combo) { SetComboDropped(combo, !combo->Combo().droppedDown); }

// A key goes to the dialog manager as the platform's keyboard would send it;
// what it does in a list, a combo or its edit field is the core's.
void HandleKey(HWND dialog, const InputEvent& event) {
  switch (event.key) {
    case Key::Tab:
    case Key::BackTab:
      PressKey(dialog, VK_TAB, event.key == Key::BackTab);
      return;
    case Key::F10:
    case Key::AltSpace:
      SystemCommand(dialog, SC_KEYMENU);
      return;
    case Key::AltF4:
    case Key::Interrupt:
      SystemCommand(dialog, SC_CLOSE);
      return;
    case Key::AltUp:
    case Key::AltDown:
      PressKey(dialog, event.key == Key::AltUp ? VK_UP : VK_DOWN, false, true);
      return;
    case Key::Character:
      TypeCharacters(dialog, Utf8Of(event.character));
      return;
    default:
      if (const UINT virtualKey = VirtualKeyOf(event.key)) PressKey(dialog, virtualKey);
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
      HandleKey(dialog, event);
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
