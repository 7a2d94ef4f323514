// The program's start: the language from the locale, the Qt backend when a
// display can be had (with a QApplication made for the run), and one clear
// line without a display. The application object here stands in for the
// program's: it runs the main template once and ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>

#include "framework/framework.h"
#include "framework/linux/input.h"
#include "framework/linux/qt/qt_backend.h"
#include "framework/linux/resources.h"
#include "framework/linux/startup/startup.h"
#include "res/resource.h"
#include "res/resource_tables.h"
#include "tests/framework/linux/qt/qt_test_support.h"

namespace {

class ScriptedApp : public CWinApp {
 public:
  bool ran = false;
  bool hadApplication = false;
  bool hadQtBackend = false;
  LANGID language = 0;
  INT_PTR result = 0;

  BOOL InitInstance() override {
    ran = true;
    hadApplication = QCoreApplication::instance() != nullptr;
    auto* backend = dynamic_cast<framework::qt::QtBackend*>(&framework::CurrentBackend());
    hadQtBackend = backend != nullptr;
    language = framework::ResourceLanguage();
    if (backend == nullptr) return FALSE;

    CDialog dialog(IDD_PORTSETUP_DIALOG);
    InputScript script;
    script.Then([backend] {
      QWidget* window = backend->WindowOf(framework::TopDialog());
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->findChild<QWidget*>()->font().pointSize(), 9);
      QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
    });
    script.Start();
    result = dialog.DoModal();
    return FALSE;
  }
};

ScriptedApp theApp;

char programName[] = "portsetup";
char* arguments[] = {programName, nullptr};

TEST(Startup, RunsTheApplicationOnTheQtBackendInTheLocalesLanguage) {
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  framework::UseModule(res::ProgramModule());

  EXPECT_EQ(framework::RunWithSystemBackend(1, arguments), 0);
  EXPECT_TRUE(theApp.ran);
  EXPECT_TRUE(theApp.hadApplication);
  EXPECT_TRUE(theApp.hadQtBackend);
  EXPECT_EQ(theApp.language, 1031);
  EXPECT_EQ(theApp.result, IDCANCEL);
  // Nothing of the run is left in use.
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
  EXPECT_EQ(dynamic_cast<framework::qt::QtBackend*>(&framework::CurrentBackend()), nullptr);
}

TEST(Startup, WithoutADisplayItSaysSoInOneLineAndFails) {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(variable);
  theApp.ran = false;
  testing::internal::CaptureStderr();
  const int exitCode = framework::RunWithSystemBackend(1, arguments);
  const std::string said = testing::internal::GetCapturedStderr();

  EXPECT_NE(exitCode, 0);
  EXPECT_FALSE(theApp.ran);
  EXPECT_NE(said.find("no display"), std::string::npos) << said;
  EXPECT_NE(said.find("xvfb-run"), std::string::npos) << said;
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
}

}  // namespace
