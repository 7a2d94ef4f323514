// The dialog manager's keys: each passes the dialog's PreTranslateMessage first.
#include <gtest/gtest.h>

#include "tests/framework/linux/test_dialog.h"

using namespace test_ids;

namespace {

using Log = std::vector<std::string>;

std::string Key(UINT key) { return "key " + std::to_string(key); }

class DialogKeys : public ::testing::Test {
 protected:
  void SetUp() override { framework::DiscardPendingMessages(); }

  void Press(UINT key, bool shift = false) { framework::PressKey(dialog.m_hWnd, key, shift); }
  int FocusId() const { return dialog.m_hWnd->Dialog().focus != nullptr ? dialog.m_hWnd->Dialog().focus->id : 0; }

  framework::HeadlessBackend backend;
  TestDialog dialog;
};

TEST_F(DialogKeys, EscapeBecomesCancelAfterTheDialogSawTheKey) {
  RunSteps(backend, {[this] { Press(VK_ESCAPE); }});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.log, (Log{"init", Key(VK_ESCAPE), "OnCancel"}));
}

TEST_F(DialogKeys, EnterClicksTheFocusedPushButtonElseBecomesOk) {
  RunSteps(backend, {[this] { framework::SetFocusTo(dialog.Control(kAct)); }, [this] { Press(VK_RETURN); },
                     [this] { framework::SetFocusTo(dialog.Control(kPlainList)); }, [this] { Press(VK_RETURN); }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.log, (Log{"init", Key(VK_RETURN), "act", Key(VK_RETURN), "OnOK"}));
}

TEST_F(DialogKeys, EnterAndEscapeCloseADroppedListFirst) {
  RunSteps(backend,
           {[this] { framework::SetComboDropped(dialog.Control(kDropList), true); }, [this] { Press(VK_RETURN); },
            [this] {
              EXPECT_FALSE(dialog.Control(kDropList)->Combo().droppedDown);
              framework::SetComboDropped(dialog.Control(kEditCombo), true);
            },
            [this] { Press(VK_ESCAPE); },
            [this] {
              EXPECT_FALSE(dialog.Control(kEditCombo)->Combo().droppedDown);
              Press(VK_RETURN);
            }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.log, (Log{"init", Key(VK_RETURN), Key(VK_ESCAPE), Key(VK_RETURN), "OnOK"}));
}

TEST_F(DialogKeys, ADroppedListClosesEvenWhileItsDialogTakesNoInput) {
  RunSteps(backend, {[this] {
             HWND combo = dialog.Control(kDropList);
             framework::SetComboDropped(combo, true);
             dialog.EnableWindow(FALSE);  // as under a message box
             framework::SetComboDropped(combo, false);
             EXPECT_FALSE(combo->Combo().droppedDown);
             framework::SetComboDropped(combo, true);
             EXPECT_FALSE(combo->Combo().droppedDown);
             dialog.EnableWindow(TRUE);
             Press(VK_ESCAPE);
           }});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogKeys, SpaceClicksOnlyAFocusedPushButton) {
  RunSteps(backend, {[this] { Press(VK_SPACE); },  // on the list: nothing
                     [this] { framework::SetFocusTo(dialog.Control(kAct)); }, [this] { Press(VK_SPACE); },
                     [this] { framework::PostClick(dialog.m_hWnd, IDOK); }});
  dialog.DoModal();
  EXPECT_EQ(dialog.log, (Log{"init", Key(VK_SPACE), Key(VK_SPACE), "act", "OnOK"}));
}

TEST_F(DialogKeys, TabFollowsTheTabStopsSkippingHiddenAndDisabledOnesAndWraps) {
  std::vector<int> forward;
  std::vector<int> backward;
  std::vector<std::function<void()>> steps;
  for (int k = 0; k < 6; ++k) {
    steps.push_back([this] { Press(VK_TAB); });
    steps.push_back([this, &forward] { forward.push_back(FocusId()); });
  }
  for (int k = 0; k < 2; ++k) {
    steps.push_back([this] { Press(VK_TAB, true); });
    steps.push_back([this, &backward] { backward.push_back(FocusId()); });
  }
  // Enabling and disabling while the dialog runs changes the way.
  steps.push_back([this] {
    dialog.GetDlgItem(kDisabled)->EnableWindow(TRUE);
    dialog.plainList.EnableWindow(FALSE);
    framework::SetFocusTo(dialog.Control(kSortedList));
  });
  steps.push_back([this] { Press(VK_TAB); });
  steps.push_back([this, &forward] {
    forward.push_back(FocusId());
    framework::SetFocusTo(dialog.Control(kAct));
  });
  steps.push_back([this] { Press(VK_TAB); });
  steps.push_back([this, &forward] { forward.push_back(FocusId()); });
  RunSteps(backend, std::move(steps));
  dialog.DoModal();
  EXPECT_EQ(forward,
            (std::vector<int>{kPlainList, kDropList, kEditCombo, kAct, IDOK, kSortedList, kDropList, kDisabled}));
  EXPECT_EQ(backward, (std::vector<int>{IDOK, kAct}));
}

// A focused control that is disabled takes the focus with it: keys then reach
// no control (Tab, Enter and Escape do nothing), until a modal box over the
// dialog ends and the first tab stop takes the focus.
TEST_F(DialogKeys, ADisabledControlTakesTheFocusAwayUntilTheDialogIsActiveAgain) {
  RunSteps(backend, {[this] { framework::SetFocusTo(dialog.Control(kAct)); },
                     [this] {
                       dialog.GetDlgItem(kAct)->EnableWindow(FALSE);
                       Press(VK_TAB);
                       Press(VK_RETURN);
                       Press(VK_ESCAPE);
                     },
                     [this] {
                       EXPECT_EQ(FocusId(), 0);
                       dialog.MessageBox("box");
                       EXPECT_EQ(FocusId(), kSortedList);
                       Press(VK_RETURN);
                     }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.log, (Log{"init", Key(VK_RETURN), "OnOK"}));
}

}  // namespace
