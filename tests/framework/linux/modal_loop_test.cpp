// DoModal and its loop: how a dialog starts, runs nested modal windows and ends.
#include <gtest/gtest.h>

#include "tests/framework/linux/test_dialog.h"

using namespace test_ids;

namespace {

using Log = std::vector<std::string>;

class ModalLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    framework::DiscardPendingMessages();
    backend.onDialogStarted = [this](HWND window) { started.push_back(window->id); };
    backend.onDialogEnded = [this](HWND window) { ended.push_back(window->id); };
  }
  void TearDown() override { EXPECT_FALSE(framework::HasPendingMessages()); }

  void Click(int id) { framework::PostClick(dialog.m_hWnd, id); }

  framework::HeadlessBackend backend;
  TestDialog dialog;
  std::vector<int> started;
  std::vector<int> ended;
};

TEST_F(ModalLoop, ShowsTheDialogWithTheFocusOnTheFirstTabStop) {
  RunSteps(backend, {[this] {
             EXPECT_TRUE(dialog.IsWindowVisible());
             EXPECT_EQ(dialog.m_hWnd->Dialog().focus, dialog.Control(kSortedList));
             EXPECT_EQ(framework::TopDialog(), dialog.m_hWnd);
             Click(IDOK);
           }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(started, std::vector<int>{500});
  EXPECT_EQ(ended, std::vector<int>{500});
  EXPECT_EQ(framework::TopDialog(), nullptr);
}

TEST_F(ModalLoop, InitialisationReturningFalseLeavesTheFocusAlone) {
  dialog.initResult = FALSE;
  RunSteps(backend, {[this] {
             EXPECT_EQ(dialog.m_hWnd->Dialog().focus, nullptr);
             Click(IDOK);
           }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST_F(ModalLoop, QuitRequestIsTakenBeforeQueuedInputAndReturnsMinusOne) {
  RunSteps(backend, {[this] {
             Click(kAct);
             PostQuitMessage(0);
           }});
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(dialog.log, Log{"init"});
  framework::DiscardPendingMessages();
}

TEST_F(ModalLoop, QuitRequestDuringInitialisationEndsBeforeTheFirstWait) {
  dialog.onInit = [](TestDialog&) { PostQuitMessage(0); };
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_TRUE(started.empty());  // shown only when it would wait
  EXPECT_TRUE(ended.empty());
  framework::DiscardPendingMessages();
}

TEST_F(ModalLoop, VisibleTemplateShowsAsSoonAsInitialisedEvenWhenAQuitFollows) {
  res::DialogTemplate visibleTemplate = kTestTemplate;
  visibleTemplate.style |= WS_VISIBLE;
  TestDialog visible(visibleTemplate);
  visible.onInit = [](TestDialog& d) {
    EXPECT_FALSE(d.IsWindowVisible());  // initialised while hidden
    PostQuitMessage(0);
  };
  EXPECT_EQ(visible.DoModal(), -1);
  EXPECT_EQ(started, std::vector<int>{500});
  EXPECT_EQ(ended, std::vector<int>{500});
  framework::DiscardPendingMessages();
}

TEST_F(ModalLoop, QuitInANestedDialogEndsItAndThenTheOuterOne) {
  INT_PTR nestedResult = 0;
  dialog.onAct = [&nestedResult](TestDialog& outer) {
    TestDialog nested(kNestedTemplate);
    nestedResult = nested.DoModal();
    outer.log.push_back("after nested");
  };
  RunSteps(backend, {[this] { Click(kAct); }, [] { PostQuitMessage(0); }});
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(nestedResult, -1);
  EXPECT_EQ(dialog.log, (Log{"init", "act", "after nested"}));
  EXPECT_EQ(started, (std::vector<int>{500, 501}));
  framework::DiscardPendingMessages();
}

TEST_F(ModalLoop, EndDialogEndsAfterTheCurrentMessageAndASecondOneChangesNothing) {
  dialog.onAct = [](TestDialog& d) {
    d.EndDialog(7);
    d.EndDialog(9);
    d.log.push_back("handler went on");
  };
  RunSteps(backend, {[this] {
             Click(kAct);
             Click(kHidden);  // queued after the end: never handled
           }});
  EXPECT_EQ(dialog.DoModal(), 7);
  EXPECT_EQ(dialog.log, (Log{"init", "act", "handler went on"}));
}

TEST_F(ModalLoop, EndDialogDuringInitialisationNeverShowsTheDialog) {
  dialog.onInit = [](TestDialog& d) { d.EndDialog(5); };
  EXPECT_EQ(dialog.DoModal(), 5);
  EXPECT_TRUE(started.empty());
}

TEST_F(ModalLoop, TheEndOfAllInputEndsLikeAQuitRequest) {
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(started, std::vector<int>{500});
  EXPECT_EQ(ended, std::vector<int>{500});
}

TEST_F(ModalLoop, OwnerTakesNoInputWhileANestedDialogRuns) {
  INT_PTR nestedResult = 0;
  HWND nestedWindow = nullptr;
  dialog.onAct = [&](TestDialog&) {
    TestDialog nested(kNestedTemplate);
    nestedResult = nested.DoModal();
  };
  RunSteps(backend, {[this] { Click(kAct); },
                     [&] {
                       nestedWindow = framework::TopDialog();
                       ASSERT_NE(nestedWindow, dialog.m_hWnd);
                       EXPECT_FALSE(dialog.IsWindowEnabled());
                       framework::ClickButton(dialog.Control(kAct));   // ignored: the owner is disabled
                       framework::PressKey(dialog.m_hWnd, VK_ESCAPE);  // ignored as well
                       EXPECT_FALSE(framework::HasPendingMessages());
                       framework::PressKey(nestedWindow, VK_RETURN);  // the focused OK button
                     },
                     [this] {
                       EXPECT_TRUE(dialog.IsWindowEnabled());
                       EXPECT_EQ(framework::TopDialog(), dialog.m_hWnd);
                       Click(IDOK);
                     }});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(nestedResult, IDOK);
  EXPECT_EQ(dialog.log, (Log{"init", "act", "OnOK"}));
}

TEST_F(ModalLoop, MessageBoxesTakeQueuedAnswersWithTheOwnerDisabled) {
  backend.QueueAnswer(IDYES);
  dialog.onInit = [this](TestDialog& d) {
    EXPECT_EQ(d.MessageBox("Save?", "", MB_YESNO), IDYES);
    EXPECT_EQ(d.MessageBox("Save again?", "", MB_YESNO), IDNO);  // none queued
    EXPECT_EQ(d.MessageBox("Done", "", MB_OK), IDOK);
    EXPECT_TRUE(d.IsWindowEnabled());
    backend.answerBox = [&d](HWND owner, const std::string&, const std::string&, UINT) {
      EXPECT_EQ(owner, d.m_hWnd);
      EXPECT_FALSE(d.IsWindowEnabled());
      return IDOK;
    };
    d.MessageBox("Checked", "", MB_OK);
    EXPECT_TRUE(d.IsWindowEnabled());
    // An owner that was disabled before the box stays disabled after it.
    d.EnableWindow(FALSE);
    d.MessageBox("Over a disabled owner", "", MB_OK);
    EXPECT_FALSE(d.IsWindowEnabled());
    d.EnableWindow(TRUE);
  };
  dialog.DoModal();
  ASSERT_EQ(backend.Boxes().size(), 5u);
  EXPECT_EQ(backend.Boxes()[0].text, "Save?");
  EXPECT_EQ(backend.Boxes()[0].caption, "");
  EXPECT_EQ(backend.Boxes()[0].type, static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(backend.Boxes()[0].answered);
  EXPECT_EQ(backend.UnansweredBoxes(), 2u);
  EXPECT_EQ(backend.QueuedAnswers(), 0u);
}

TEST_F(ModalLoop, WrappersAreAttachedOnceAndDetachedWhenTheDialogEnds) {
  dialog.onInit = [](TestDialog& d) {
    HWND list = d.sortedList.m_hWnd;
    ASSERT_EQ(list, d.Control(kSortedList));
    EXPECT_EQ(d.GetDlgItem(kSortedList), &d.sortedList);
    EXPECT_TRUE(d.UpdateData(TRUE));  // attached already: left as they are
    EXPECT_EQ(d.sortedList.m_hWnd, list);
    CListBox second;
    CDataExchange exchange(&d, FALSE);
    DDX_Control(&exchange, kSortedList, second);  // the window has its wrapper
    EXPECT_EQ(second.m_hWnd, nullptr);
    d.sortedList.AddString("x");
  };
  dialog.DoModal();
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.sortedList.m_hWnd, nullptr);
  EXPECT_EQ(dialog.editCombo.m_hWnd, nullptr);

  dialog.onInit = [](TestDialog& d) {
    EXPECT_NE(d.sortedList.m_hWnd, nullptr);
    EXPECT_EQ(d.sortedList.GetCount(), 0);  // a new window
  };
  dialog.DoModal();
}

TEST_F(ModalLoop, HandlesOfEndedDialogsAreRefused) {
  HWND stale = nullptr;
  dialog.onInit = [&stale](TestDialog& d) { stale = d.Control(kPlainList); };
  dialog.DoModal();
  EXPECT_EQ(PostMessageA(stale, LB_ADDSTRING, 0, 0), FALSE);
  EXPECT_EQ(SendMessageA(stale, LB_GETCOUNT, 0, 0), 0);
  framework::SelectListLine(stale, 0);
  EXPECT_FALSE(framework::HasPendingMessages());
}

}  // namespace
