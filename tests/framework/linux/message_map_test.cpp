// Message maps: which entry a message reaches, along the chain of base maps,
// and commands that no window handles reaching the application.
#include <gtest/gtest.h>

#include "tests/framework/linux/test_dialog.h"

namespace {

class BaseTarget : public CCmdTarget {
 public:
  std::vector<std::string> log;
  void OnFive() { log.push_back("five"); }
  void OnSixSelection() { log.push_back("six selection"); }
  void OnSixClick() { log.push_back("base six click"); }
  void OnSysCommand(UINT nID, LPARAM) { log.push_back("syscommand " + std::to_string(nID)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CCmdTarget)
  ON_COMMAND(5, &BaseTarget::OnFive)
  ON_LBN_SELCHANGE(6, &BaseTarget::OnSixSelection)
  ON_BN_CLICKED(6, &BaseTarget::OnSixClick)
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
 public:
  void OnSixClickHere() { log.push_back("derived six click"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
  ON_BN_CLICKED(6, &DerivedTarget::OnSixClickHere)
END_MESSAGE_MAP()

bool Dispatch(CCmdTarget& target, UINT message, WPARAM wParam) {
  LRESULT result = -1;
  return AfxDispatchThroughMap(&target, message, wParam, 0, &result);
}

TEST(MessageMap, CommandsMatchCodeAndIdAlongTheChain) {
  DerivedTarget target;
  EXPECT_TRUE(Dispatch(target, WM_COMMAND, MAKEWPARAM(6, BN_CLICKED)));
  EXPECT_TRUE(Dispatch(target, WM_COMMAND, MAKEWPARAM(6, LBN_SELCHANGE)));
  EXPECT_TRUE(Dispatch(target, WM_COMMAND, MAKEWPARAM(5, 0)));
  EXPECT_FALSE(Dispatch(target, WM_COMMAND, MAKEWPARAM(5, LBN_SELCHANGE)));
  EXPECT_FALSE(Dispatch(target, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED)));
  EXPECT_FALSE(Dispatch(target, WM_CLOSE, 0));
  EXPECT_EQ(target.log, (std::vector<std::string>{"derived six click", "six selection", "five"}));
}

TEST(MessageMap, OtherMessagesMatchByMessageAlone) {
  DerivedTarget target;
  EXPECT_TRUE(Dispatch(target, WM_SYSCOMMAND, 0xF012));
  EXPECT_EQ(target.log, std::vector<std::string>{"syscommand 61458"});
}

class HelpApp : public CWinApp {
 public:
  int helpCalls = 0;
  int exitCalls = 0;
  bool initResult = false;
  BOOL InitInstance() override { return initResult ? TRUE : FALSE; }
  int ExitInstance() override {
    ++exitCalls;
    return CWinApp::ExitInstance();
  }
  void OnHelpCommand() { ++helpCalls; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
  ON_COMMAND(ID_HELP, &HelpApp::OnHelpCommand)
END_MESSAGE_MAP()

TEST(Application, CommandsNoWindowHandlesReachTheApplicationsMap) {
  framework::DiscardPendingMessages();
  HelpApp app;
  ASSERT_EQ(AfxGetApp(), &app);
  framework::HeadlessBackend backend;
  TestDialog dialog;
  RunSteps(backend, {[&dialog] { framework::PostClick(dialog.m_hWnd, ID_HELP); }});
  EXPECT_EQ(dialog.DoModal(), -1);
  EXPECT_EQ(app.helpCalls, 1);
  EXPECT_EQ(dialog.log, std::vector<std::string>{"init"});
}

TEST(Application, RunEndsWhenInitInstanceReturnsFalse) {
  framework::DiscardPendingMessages();
  HelpApp app;
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.exitCalls, 1);
}

TEST(Application, RunKeepsTheApplicationUntilAQuitRequest) {
  framework::DiscardPendingMessages();
  HelpApp app;
  app.initResult = true;
  framework::HeadlessBackend backend;
  RunSteps(backend, {[] { PostQuitMessage(3); }, [] { ADD_FAILURE() << "input taken after the quit request"; }});
  EXPECT_EQ(app.Run(), 3);
  EXPECT_EQ(app.exitCalls, 1);
  framework::DiscardPendingMessages();
}

}  // namespace
