// The program's own dialog templates made into windows: control kinds, what is
// shown, the first focus and the tab order.
#include <gtest/gtest.h>

#include "framework/linux/resources.h"
#include "res/resource.h"
#include "res/resource_tables.h"
#include "tests/framework/linux/test_dialog.h"

namespace {

using framework::WindowKind;

int FocusId(HWND dialog) { return dialog->Dialog().focus != nullptr ? dialog->Dialog().focus->id : 0; }

class ProgramTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    framework::UseModule(res::ProgramModule());
    framework::DiscardPendingMessages();
  }
  framework::HeadlessBackend backend;
};

TEST_F(ProgramTemplates, MainDialogControlsFocusAndTabOrder) {
  CDialog dialog(IDD_PORTSETUP_DIALOG);
  std::vector<int> tabOrder;
  std::vector<std::function<void()>> steps{[&dialog] {
    HWND window = dialog.m_hWnd;
    ASSERT_EQ(window->children.size(), 16u);
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->text, "TAVRIN");
    EXPECT_EQ(window->Child(IDC_SETTINGS_GROUP)->kind, WindowKind::GroupBox);
    EXPECT_EQ(window->Child(IDC_PORT_LIST)->kind, WindowKind::ListBox);
    EXPECT_FALSE(window->Child(IDC_PORT_LIST)->IsSortedList());
    EXPECT_TRUE(window->Child(IDC_WATCH_LIST)->IsSortedList());
    EXPECT_FALSE(window->Child(IDC_DRIVER_TYPE_COMBO)->HasEditField());
    EXPECT_TRUE(window->Child(IDC_BAUD_RATE_COMBO)->HasEditField());
    EXPECT_TRUE(window->Child(IDC_PNP_POLLING_COMBO)->HasEditField());
    EXPECT_EQ(window->Child(IDC_PORT_LIST_LABEL)->kind, WindowKind::Static);
    EXPECT_EQ(window->Child(IDC_RESTART_BUTTON)->kind, WindowKind::PushButton);
    EXPECT_FALSE(window->Child(IDC_RESTART_BUTTON)->visible);
    EXPECT_EQ(FocusId(window), IDC_PORT_LIST);
  }};
  for (int k = 0; k < 9; ++k) {
    steps.push_back([&dialog] { framework::PressKey(dialog.m_hWnd, VK_TAB); });
    steps.push_back([&dialog, &tabOrder] { tabOrder.push_back(FocusId(dialog.m_hWnd)); });
  }
  // Back on the port list, where Enter finds no push button with the focus.
  steps.push_back([&dialog] { framework::PressKey(dialog.m_hWnd, VK_RETURN); });
  RunSteps(backend, std::move(steps));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(tabOrder,
            (std::vector<int>{IDC_DRIVER_TYPE_COMBO, IDC_ADD_BUTTON, IDC_REMOVE_BUTTON, IDC_WATCH_LIST,
                              IDC_APPLY_BUTTON, IDOK, IDC_BAUD_RATE_COMBO, IDC_PNP_POLLING_COMBO, IDC_PORT_LIST}));
}

TEST_F(ProgramTemplates, AboutBoxIsShownWhenRunAndEnterPressesItsButton) {
  CDialog about(IDD_ABOUTBOX);
  RunSteps(backend, {[&about] {
             HWND window = about.m_hWnd;
             EXPECT_EQ(window->style & WS_VISIBLE, 0u);
             EXPECT_TRUE(window->visible);
             ASSERT_EQ(window->children.size(), 4u);
             EXPECT_EQ(window->children[0]->kind, WindowKind::IconStatic);
             EXPECT_EQ(FocusId(window), IDOK);
             framework::PressKey(window, VK_RETURN);
           }});
  EXPECT_EQ(about.DoModal(), IDOK);
}

}  // namespace
