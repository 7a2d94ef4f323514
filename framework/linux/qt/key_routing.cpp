#include "framework/linux/qt/key_routing.h"

#include <optional>

namespace framework::qt {
namespace {

using Action = KeyRoute::Action;

std::optional<UINT> NavigationKey(int key) {
  switch (key) {
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    default:
      return std::nullopt;
  }
}

// Keys the caret of an edit field moves with.
bool MovesCaret(int key) {
  return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
}

KeyRoute Press(UINT virtualKey, bool shift = false) { return {Action::PressKey, virtualKey, shift, false, false}; }

}  // namespace

KeyRoute RouteKey(int key, Qt::KeyboardModifiers modifiers, KeyTarget target, bool popupOpen) {
  const bool alt = modifiers.testFlag(Qt::AltModifier);
  const bool control = modifiers.testFlag(Qt::ControlModifier) || modifiers.testFlag(Qt::MetaModifier);

  if (alt && key == Qt::Key_Space) return {Action::SystemCommand, SC_KEYMENU, false, false, popupOpen};
  if (alt && key == Qt::Key_F4) return {Action::SystemCommand, SC_CLOSE, false, false, popupOpen};

  // The core closes an open list on Escape, or takes it as Cancel.
  if (key == Qt::Key_Escape) return Press(VK_ESCAPE);
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    if (alt || control) return {Action::Swallow};
    const bool shift = key == Qt::Key_Backtab || modifiers.testFlag(Qt::ShiftModifier);
    return {Action::PressKey, VK_TAB, shift, false, popupOpen};
  }

  const bool isCombo = target == KeyTarget::DropDownList || target == KeyTarget::DropDown;
  // F4, Alt+Down and Alt+Up drop a combo's list and close it, in the core.
  if (isCombo && key == Qt::Key_F4) return Press(VK_F4);
  if (isCombo && alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    return {Action::PressKey, key == Qt::Key_Up ? UINT{VK_UP} : UINT{VK_DOWN}, false, true, false};
  }
  // Enter closes an open list in the core, as on the platform.
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return Press(VK_RETURN);
  const bool closedField = target == KeyTarget::DropDown && !popupOpen;
  if (const auto navigation = NavigationKey(key)) {
    if (closedField && MovesCaret(key)) return {Action::LeaveToQt};
    return Press(*navigation, modifiers.testFlag(Qt::ShiftModifier));
  }
  if (closedField) return {Action::LeaveToQt};
  if (alt || control) return {Action::Swallow};
  if (key == Qt::Key_Space && target != KeyTarget::DropDown) return Press(VK_SPACE);
  if (key == Qt::Key_Backspace && target == KeyTarget::DropDown) return Press(VK_BACK);
  // Type-ahead in a list or drop-down list, and typing into the field of a
  // drop-down whose list is open (Qt's list has the keyboard then).
  if (target == KeyTarget::ListBox || isCombo) return {Action::TypeText};
  return {Action::LeaveToQt};
}

}  // namespace framework::qt
