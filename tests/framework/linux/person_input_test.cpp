// The person's input: selections, clicks, typing and keys reach the dialog's
// message map as the platform's notifications.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/framework/linux/test_dialog.h"

using namespace test_ids;

namespace {

class PersonInput : public ::testing::Test {
 protected:
  void SetUp() override {
    framework::DiscardPendingMessages();
    dialog.onInit = [](TestDialog& d) {
      for (const char* line : {"a", "b", "c"}) d.plainList.AddString(line);
      for (const char* item : {"HID", "Traditional"}) d.dropList.AddString(item);
      for (const char* item : {"Auto_Scan", "9600"}) d.editCombo.AddString(item);
    };
  }

  // Runs the dialog through `steps`, then presses its OK button.
  INT_PTR Run(std::vector<std::function<void()>> steps) {
    steps.push_back([this] { framework::PostClick(dialog.m_hWnd, IDOK); });
    RunSteps(backend, std::move(steps));
    return dialog.DoModal();
  }

  HWND Control(int id) const { return dialog.Control(id); }

  framework::HeadlessBackend backend;
  TestDialog dialog;
};

using Log = std::vector<std::string>;

TEST_F(PersonInput, ListSelectionNotifiesEveryTimeAlsoForTheSameLine) {
  EXPECT_EQ(Run({[this] { framework::SelectListLine(Control(kPlainList), 1); },
                 [this] { framework::SelectListLine(Control(kPlainList), 1); },
                 [this] { framework::SelectListLine(Control(kPlainList), 3); }}),  // no such line
            IDOK);
  EXPECT_EQ(dialog.log, (Log{"init", "plain 1", "plain 1", "OnOK"}));
}

TEST_F(PersonInput, ComboNotifiesOnlyAChangeOfItem) {
  Run({[this] { framework::ChooseComboItem(Control(kDropList), 0); },
       [this] { framework::ChooseComboItem(Control(kDropList), 0); },
       [this] { framework::ChooseComboItem(Control(kDropList), 1); }});
  EXPECT_EQ(dialog.log, (Log{"init", "drop 0", "drop 1", "OnOK"}));
}

TEST_F(PersonInput, TypedTextIsNoSelectionAndOnlyAnEditFieldTakesIt) {
  Run({[this] {
    framework::TypeComboText(Control(kEditCombo), "19200");
    framework::TypeComboText(Control(kDropList), "typed");
    EXPECT_STREQ(dialog.editCombo.GetWindowText(), "19200");
    EXPECT_EQ(dialog.editCombo.GetCurSel(), CB_ERR);
    EXPECT_STREQ(dialog.dropList.GetWindowText(), "");
  }});
  EXPECT_EQ(dialog.log, (Log{"init", "OnOK"}));
}

TEST_F(PersonInput, ClicksReachHiddenControlsOnlyWhenPostedOnPurpose) {
  Run({[this] {
         framework::ClickButton(Control(kHidden));
         framework::ClickButton(Control(kDisabled));
         framework::ClickButton(Control(kAct));
       },
       [this] { framework::PostClick(dialog.m_hWnd, kHidden); }});
  EXPECT_EQ(dialog.log, (Log{"init", "act", "hidden", "OnOK"}));
}

// An arrow at the end of the list moves nothing, but the dialog is told again.
TEST_F(PersonInput, NavigationKeysMoveASelectionAsThePersonsOwn) {
  Run({[this] { framework::SetFocusTo(Control(kPlainList)); }, [this] { framework::PressKey(dialog.m_hWnd, VK_DOWN); },
       [this] { framework::PressKey(dialog.m_hWnd, VK_END); }, [this] { framework::PressKey(dialog.m_hWnd, VK_DOWN); },
       [this] { framework::PressKey(dialog.m_hWnd, VK_HOME); }, [this] { framework::SetFocusTo(Control(kDropList)); },
       [this] { framework::PressKey(dialog.m_hWnd, VK_DOWN); }, [this] { framework::PressKey(dialog.m_hWnd, VK_UP); }});
  const std::string down = "key " + std::to_string(VK_DOWN);
  const std::string end = "key " + std::to_string(VK_END);
  const std::string home = "key " + std::to_string(VK_HOME);
  const std::string up = "key " + std::to_string(VK_UP);
  EXPECT_EQ(dialog.log, (Log{"init", down, "plain 0", end, "plain 2", down, "plain 2", home, "plain 0", down, "drop 0",
                             up, "drop 0", "OnOK"}));
}

// A page is what the backend shows: here the template's 80 dialog units, 10 lines.
TEST_F(PersonInput, PageKeysMoveByTheLinesShownLessOneAndStopAtTheEnds) {
  dialog.onInit = [](TestDialog& d) {
    for (int k = 0; k < 40; ++k) d.plainList.AddString(std::to_string(k).c_str());
  };
  const auto press = [this](UINT key) { return [this, key] { framework::PressKey(dialog.m_hWnd, key); }; };
  Run({[this] { framework::SetFocusTo(Control(kPlainList)); }, press(VK_NEXT), press(VK_NEXT), press(VK_NEXT),
       press(VK_PRIOR), press(VK_END), press(VK_NEXT)});
  const std::string down = "key " + std::to_string(VK_NEXT);
  const std::string up = "key " + std::to_string(VK_PRIOR);
  const std::string end = "key " + std::to_string(VK_END);
  EXPECT_EQ(dialog.log, (Log{"init", down, "plain 0", down, "plain 9", down, "plain 18", up, "plain 9", end, "plain 39",
                             down, "plain 39", "OnOK"}));
}

// The edit field: characters and Space are typed at the cursor, over a
// selected text; Backspace takes a whole character; Home, Left and Right move
// the cursor. Typed text leaves no item chosen, and the dialog is not told of
// a selection.
TEST_F(PersonInput, TypingGoesIntoAnEditFieldAtItsCursor) {
  Run({[this] { framework::ChooseComboItem(Control(kEditCombo), 1); },
       [this] {
         EXPECT_STREQ(dialog.editCombo.GetWindowText(), "9600");
         framework::TypeCharacters(dialog.m_hWnd, "96");
         framework::PressKey(dialog.m_hWnd, VK_SPACE);
         framework::TypeCharacters(dialog.m_hWnd, "設");
       },
       [this] {
         EXPECT_STREQ(dialog.editCombo.GetWindowText(), "96 設");
         EXPECT_EQ(dialog.editCombo.GetCurSel(), CB_ERR);
         for (UINT key : {VK_BACK, VK_BACK, VK_HOME, VK_RIGHT, VK_RIGHT, VK_LEFT})
           framework::PressKey(dialog.m_hWnd, key);
         framework::TypeCharacters(dialog.m_hWnd, "x");
       },
       [this] { EXPECT_STREQ(dialog.editCombo.GetWindowText(), "9x6"); }});
  EXPECT_EQ(dialog.log.front(), "init");
  EXPECT_EQ(dialog.log[1], "edit 1");
  EXPECT_EQ(std::count(dialog.log.begin(), dialog.log.end(), "edit 1"), 1);
}

TEST_F(PersonInput, ProgramSelectionsBetweenThePersonsDoNotNotify) {
  Run({[this] {
         dialog.plainList.SetCurSel(2);
         dialog.dropList.SetCurSel(1);
       },
       [this] { framework::ChooseComboItem(Control(kDropList), 1); }});  // already selected
  EXPECT_EQ(dialog.log, (Log{"init", "OnOK"}));
}

}  // namespace
