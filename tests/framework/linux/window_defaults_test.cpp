// Default processing of the dialog's window messages, the system menu,
// painting and the wait cursor.
#include <gtest/gtest.h>

#include "tests/framework/linux/test_dialog.h"

using namespace test_ids;

namespace {

using Log = std::vector<std::string>;

class WindowDefaults : public ::testing::Test {
 protected:
  void SetUp() override { framework::DiscardPendingMessages(); }
  HWND Dialog() const { return dialog.m_hWnd; }

  framework::HeadlessBackend backend;
  TestDialog dialog;
};

TEST_F(WindowDefaults, CloseBoxDefaultIsTheCancelCommand) {
  RunSteps(backend, {[this] { framework::CloseBox(Dialog()); }});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.log, (Log{"init", "OnClose", "OnCancel"}));
}

TEST_F(WindowDefaults, SystemCloseCommandSendsCloseWhateverItsLowBits) {
  RunSteps(backend, {[this] { framework::SystemCommand(Dialog(), SC_CLOSE | 0x2); }});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.log, (Log{"init", "syscommand " + std::to_string(SC_CLOSE | 0x2), "OnClose", "OnCancel"}));
}

TEST_F(WindowDefaults, KeyMenuAndMoveGoToTheBackendAndOtherCommandsDoNothing) {
  RunSteps(backend, {[this] {
             framework::SystemCommand(Dialog(), SC_KEYMENU);
             framework::SystemCommand(Dialog(), SC_MOVE | 0x2);
             framework::SystemCommand(Dialog(), SC_SIZE);
             framework::SystemCommand(Dialog(), 16);
           }});
  EXPECT_EQ(dialog.DoModal(), -1);  // still running when the input ran out
  EXPECT_EQ(backend.SystemMenuOpenings(), 1);
  EXPECT_EQ(backend.MovesBegun(), 1);
  EXPECT_EQ(dialog.log.size(), 5u);
}

TEST_F(WindowDefaults, SystemMenuTakesTheProgramsItems) {
  dialog.onInit = [](TestDialog& d) {
    EXPECT_EQ(d.GetDlgItem(kAct)->GetSystemMenu(FALSE), nullptr);  // a control has none
    CMenu* menu = d.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu->AppendMenu(MF_STRING, 16, "About"));
    const auto& items = d.m_hWnd->Dialog().systemMenu;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].flags, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(items[1].id, 16u);
    EXPECT_EQ(items[1].text, "About");
    EXPECT_EQ(d.GetSystemMenu(TRUE), nullptr);
    EXPECT_TRUE(d.m_hWnd->Dialog().systemMenu.empty());
  };
  dialog.DoModal();
}

TEST_F(WindowDefaults, IconsAreKeptPerSize) {
  HICON__ big;
  HICON__ small;
  dialog.onInit = [&](TestDialog& d) {
    d.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(&big));
    EXPECT_EQ(d.SetIcon(&small, FALSE), nullptr);
    EXPECT_EQ(d.SetIcon(&small, TRUE), &big);
    EXPECT_EQ(d.m_hWnd->Dialog().smallIcon, &small);
  };
  dialog.DoModal();
}

TEST_F(WindowDefaults, PaintingMinimizedRecordsWhereTheIconWent) {
  HICON__ icon;
  int drawn = 0;
  backend.onIconDrawn = [&drawn](HWND) { ++drawn; };
  RunSteps(backend, {[this] { framework::PaintMinimized(Dialog(), 0, 0); },
                     [&] {
                       EXPECT_TRUE(dialog.IsIconic());
                       RECT client{1, 1, 1, 1};
                       dialog.GetClientRect(&client);
                       EXPECT_EQ(client.right, 0);
                       CPaintDC dc(&dialog);
                       EXPECT_TRUE(dc.DrawIcon(-15, -15, &icon));
                       EXPECT_FALSE(dc.DrawIcon(0, 0, nullptr));
                     }});
  dialog.DoModal();
  EXPECT_EQ(dialog.log, (Log{"init", "paint iconic"}));
  EXPECT_EQ(drawn, 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
}

TEST_F(WindowDefaults, ControlsWithoutWrapperAreReachedThroughGetDlgItem) {
  dialog.onInit = [](TestDialog& d) {
    CWnd* label = d.GetDlgItem(kLabel);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label, d.GetDlgItem(kLabel));
    label->SetWindowText("Driver type");
    EXPECT_EQ(d.Control(kLabel)->text, "Driver type");
    EXPECT_STREQ(label->GetWindowText(), "Driver type");
    EXPECT_EQ(d.GetDlgItem(999), nullptr);
    EXPECT_FALSE(d.GetDlgItem(kHidden)->IsWindowVisible());
    EXPECT_EQ(d.GetDlgItem(kDisabled)->EnableWindow(TRUE), TRUE);  // it was disabled
    EXPECT_EQ(d.GetDlgItem(kDisabled)->EnableWindow(FALSE), FALSE);
    d.SetWindowText("Caption");
    EXPECT_EQ(d.m_hWnd->text, "Caption");
  };
  dialog.DoModal();
}

TEST(WaitCursor, ShowsOnceForNestedWaits) {
  framework::HeadlessBackend backend;
  {
    CWaitCursor outer;
    { CWaitCursor inner; }
    EXPECT_TRUE(backend.WaitCursorShown());
  }
  EXPECT_FALSE(backend.WaitCursorShown());
  EXPECT_EQ(backend.WaitCursorShowings(), 1);
}

}  // namespace
