#include <gtest/gtest.h>

#include "framework/linux/qt/key_routing.h"

namespace {

using framework::qt::KeyRoute;
using framework::qt::KeyTarget;
using framework::qt::RouteKey;
using Action = KeyRoute::Action;

constexpr KeyTarget kEveryTarget[] = {KeyTarget::None, KeyTarget::PushButton, KeyTarget::ListBox,
                                      KeyTarget::DropDownList, KeyTarget::DropDown};

TEST(KeyRouting, DialogKeysGoToTheCoreFromEveryControl) {
  for (const KeyTarget target : kEveryTarget) {
    const KeyRoute escape = RouteKey(Qt::Key_Escape, Qt::NoModifier, target, false);
    EXPECT_EQ(escape.action, Action::PressKey);
    EXPECT_EQ(escape.code, static_cast<UINT>(VK_ESCAPE));

    for (const int enter : {Qt::Key_Return, Qt::Key_Enter}) {
      const KeyRoute route = RouteKey(enter, Qt::NoModifier, target, false);
      EXPECT_EQ(route.action, Action::PressKey);
      EXPECT_EQ(route.code, static_cast<UINT>(VK_RETURN));
    }

    const KeyRoute tab = RouteKey(Qt::Key_Tab, Qt::NoModifier, target, false);
    EXPECT_EQ(tab.action, Action::PressKey);
    EXPECT_EQ(tab.code, static_cast<UINT>(VK_TAB));
    EXPECT_FALSE(tab.shift);
  }
}

TEST(KeyRouting, ShiftTabIsTabWithShift) {
  // Qt reports Shift+Tab as Backtab, with or without the Shift modifier.
  for (const auto modifiers : {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::NoModifier)}) {
    const KeyRoute route = RouteKey(Qt::Key_Backtab, modifiers, KeyTarget::ListBox, false);
    EXPECT_EQ(route.action, Action::PressKey);
    EXPECT_EQ(route.code, static_cast<UINT>(VK_TAB));
    EXPECT_TRUE(route.shift);
  }
  EXPECT_TRUE(RouteKey(Qt::Key_Tab, Qt::ShiftModifier, KeyTarget::None, false).shift);
}

TEST(KeyRouting, ControlTabMovesNothing) {
  EXPECT_EQ(RouteKey(Qt::Key_Tab, Qt::ControlModifier, KeyTarget::DropDown, false).action, Action::Swallow);
}

TEST(KeyRouting, OpenComboList) {
  // Escape reaches the core, which closes the list; Tab closes it first.
  const KeyRoute escape = RouteKey(Qt::Key_Escape, Qt::NoModifier, KeyTarget::None, true);
  EXPECT_EQ(escape.action, Action::PressKey);
  EXPECT_FALSE(escape.closesPopup);
  const KeyRoute tab = RouteKey(Qt::Key_Tab, Qt::NoModifier, KeyTarget::None, true);
  EXPECT_EQ(tab.action, Action::PressKey);
  EXPECT_TRUE(tab.closesPopup);
  // Enter, the arrows, Home and End choose in the core, also for a drop-down
  // whose field lost the keyboard to the list; what is typed is typed there.
  for (const KeyTarget target : {KeyTarget::DropDownList, KeyTarget::DropDown}) {
    EXPECT_EQ(RouteKey(Qt::Key_Return, Qt::NoModifier, target, true).code, static_cast<UINT>(VK_RETURN));
    EXPECT_EQ(RouteKey(Qt::Key_Down, Qt::NoModifier, target, true).code, static_cast<UINT>(VK_DOWN));
    EXPECT_EQ(RouteKey(Qt::Key_Home, Qt::NoModifier, target, true).code, static_cast<UINT>(VK_HOME));
    EXPECT_EQ(RouteKey(Qt::Key_A, Qt::NoModifier, target, true).action, Action::TypeText);
  }
  EXPECT_EQ(RouteKey(Qt::Key_Space, Qt::NoModifier, KeyTarget::DropDown, true).action, Action::TypeText);
  EXPECT_EQ(RouteKey(Qt::Key_Backspace, Qt::NoModifier, KeyTarget::DropDown, true).code, static_cast<UINT>(VK_BACK));
}

TEST(KeyRouting, NavigationKeysGoToTheCoreExceptTheCaretKeysOfAnEditField) {
  const std::pair<int, UINT> navigation[] = {
      {Qt::Key_Up, VK_UP},     {Qt::Key_Down, VK_DOWN}, {Qt::Key_Left, VK_LEFT},    {Qt::Key_Right, VK_RIGHT},
      {Qt::Key_Home, VK_HOME}, {Qt::Key_End, VK_END},   {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}};
  for (const auto& [key, virtualKey] : navigation) {
    for (const KeyTarget target : {KeyTarget::ListBox, KeyTarget::DropDownList, KeyTarget::PushButton}) {
      const KeyRoute route = RouteKey(key, Qt::NoModifier, target, false);
      EXPECT_EQ(route.action, Action::PressKey) << key;
      EXPECT_EQ(route.code, virtualKey) << key;
    }
  }
  for (const int caretKey : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
    EXPECT_EQ(RouteKey(caretKey, Qt::NoModifier, KeyTarget::DropDown, false).action, Action::LeaveToQt);
    EXPECT_EQ(RouteKey(caretKey, Qt::ShiftModifier, KeyTarget::DropDown, false).action, Action::LeaveToQt);
  }
  EXPECT_EQ(RouteKey(Qt::Key_Down, Qt::NoModifier, KeyTarget::DropDown, false).code, static_cast<UINT>(VK_DOWN));
}

TEST(KeyRouting, AClosedFieldTakesItsTypingAndListsTypeAheadInTheCore) {
  EXPECT_EQ(RouteKey(Qt::Key_A, Qt::NoModifier, KeyTarget::DropDown, false).action, Action::LeaveToQt);
  EXPECT_EQ(RouteKey(Qt::Key_Space, Qt::NoModifier, KeyTarget::DropDown, false).action, Action::LeaveToQt);
  EXPECT_EQ(RouteKey(Qt::Key_Backspace, Qt::NoModifier, KeyTarget::DropDown, false).action, Action::LeaveToQt);
  for (const KeyTarget target : {KeyTarget::ListBox, KeyTarget::DropDownList}) {
    EXPECT_EQ(RouteKey(Qt::Key_A, Qt::NoModifier, target, false).action, Action::TypeText);
    EXPECT_EQ(RouteKey(Qt::Key_A, Qt::ControlModifier, target, false).action, Action::Swallow);
    EXPECT_EQ(RouteKey(Qt::Key_Space, Qt::NoModifier, target, false).code, static_cast<UINT>(VK_SPACE));
  }
}

TEST(KeyRouting, SpacePressesAFocusedButtonThroughTheCore) {
  const KeyRoute route = RouteKey(Qt::Key_Space, Qt::NoModifier, KeyTarget::PushButton, false);
  EXPECT_EQ(route.action, Action::PressKey);
  EXPECT_EQ(route.code, static_cast<UINT>(VK_SPACE));
}

TEST(KeyRouting, F4AndAltArrowsDropAndCloseAComboListInTheCore) {
  for (const KeyTarget target : {KeyTarget::DropDownList, KeyTarget::DropDown}) {
    for (const bool popupOpen : {false, true}) {
      EXPECT_EQ(RouteKey(Qt::Key_F4, Qt::NoModifier, target, popupOpen).code, static_cast<UINT>(VK_F4));
      const KeyRoute altDown = RouteKey(Qt::Key_Down, Qt::AltModifier, target, popupOpen);
      EXPECT_EQ(altDown.action, Action::PressKey);
      EXPECT_EQ(altDown.code, static_cast<UINT>(VK_DOWN));
      EXPECT_TRUE(altDown.alt);
    }
  }
}

TEST(KeyRouting, SystemKeysBecomeSystemCommands) {
  for (const bool popupOpen : {false, true}) {
    const KeyRoute menu = RouteKey(Qt::Key_Space, Qt::AltModifier, KeyTarget::PushButton, popupOpen);
    EXPECT_EQ(menu.action, Action::SystemCommand);
    EXPECT_EQ(menu.code, static_cast<UINT>(SC_KEYMENU));
    EXPECT_EQ(menu.closesPopup, popupOpen);
    const KeyRoute close = RouteKey(Qt::Key_F4, Qt::AltModifier, KeyTarget::DropDown, popupOpen);
    EXPECT_EQ(close.action, Action::SystemCommand);
    EXPECT_EQ(close.code, static_cast<UINT>(SC_CLOSE));
  }
}

}  // namespace
