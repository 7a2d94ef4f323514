// The real dialog under Wine, driven by dialog-inspector.exe from another
// process on a virtual display of its own, in pictures (TAVRIN_WINE_PICTURES):
// in each of the thirteen languages the main dialog and the message boxes of
// Add without a choice (103), the restart (118), Escape with a change pending
// (102) and a missing driver (105), each text checked against the language's
// string table and the main dialog's against the glyphs of the font mapped for
// the template's face and for being cut by its control; the system menu and
// the about box. What the dialog does is the scenarios' part (label
// scenario-wine).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <array>
#include <filesystem>
#include <memory>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "framework/linux/string_lookup.h"
#include "res/resource.h"
#include "res/resource_tables.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/template_cuts.h"
#include "tests/wine/inspector_report.h"
#include "tests/wine/virtual_display.h"
#include "tests/wine/wine_languages.h"
#include "tests/wine/wine_prefix.h"

namespace wine_test {
namespace {

using ::testing::ElementsAre;

// The main dialog's controls whose texts follow the string table.
constexpr std::array<std::pair<int, unsigned>, 11> kControlTexts = {{
    {IDC_SETTINGS_GROUP, IDS_GROUP_SETTINGS},
    {IDC_PORT_LIST_LABEL, IDS_PORT_LIST_LABEL},
    {IDC_DRIVER_TYPE_LABEL, IDS_DRIVER_TYPE_LABEL},
    {IDC_BAUD_RATE_LABEL, IDS_BAUD_RATE_LABEL},
    {IDC_PNP_POLLING_LABEL, IDS_PNP_POLLING_LABEL},
    {IDC_ADD_BUTTON, IDS_ADD_BUTTON},
    {IDC_REMOVE_BUTTON, IDS_REMOVE_BUTTON},
    {IDC_WATCH_LIST_LABEL, IDS_WATCH_LIST_LABEL},
    {IDC_APPLY_BUTTON, IDS_APPLY_BUTTON},
    {1, IDS_QUIT_BUTTON},  // the quit button is the dialog's IDOK
    {IDC_RESTART_BUTTON, IDS_RESTART_BUTTON},
}};

std::string Text(const Language& language, unsigned id) {
  const res::StringEntry* entry = res::FindString(res::Strings(), id, language.id);
  return entry != nullptr ? entry->text : "";
}

class WineDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_world = std::make_unique<World>(); }
  static void TearDownTestSuite() { s_world.reset(); }

  // Runs the inspector's steps in the language, with the driver's control
  // device present or not; pictures named in them come back as PNG files in
  // the pictures folder.
  static InspectorReport Inspect(const Language& language, const std::vector<std::string>& steps,
                                 bool driverPresent = true) {
    if (driverPresent) {
      s_world->prefix.Link("tavrin", s_world->fifo);
    } else {
      s_world->prefix.Unlink("tavrin");
    }
    std::vector<std::string> command = {WindowsProgram("tests/wine/dialog-inspector.exe")};
    command.insert(command.end(), steps.begin(), steps.end());
    const Outcome outcome = s_world->Run(command, {std::string("LC_ALL=") + language.locale});
    InspectorReport report = ParseInspectorReport(outcome.out);
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    EXPECT_EQ(report.error, "");
    for (const std::string& step : steps) {
      if (!step.ends_with(".bmp")) continue;
      const std::string file = step.substr(step.rfind('\\') + 1);  // saved in staging
      const std::string bmp = s_world->staging + "/" + file;
      const std::string png =
          std::filesystem::path(PicturesFolder()) / std::filesystem::path(file).replace_extension(".png");
      const QImage picture(QString::fromStdString(bmp));
      EXPECT_FALSE(picture.isNull()) << "no picture " << bmp;
      EXPECT_TRUE(picture.save(QString::fromStdString(png))) << png;
    }
    return report;
  }

  static std::string Program() { return WindowsProgram("app/portsetup.exe"); }
  // The Windows path of a picture the inspector saves, by its name.
  static std::string Picture(const std::string& name) { return WindowsPath(s_world->staging + "/" + name + ".bmp"); }
  static std::string PicturesFolder() {
    const char* folder = std::getenv("TAVRIN_WINE_PICTURES");
    std::filesystem::create_directories(folder != nullptr ? folder : "wine-pictures");
    return folder != nullptr ? folder : "wine-pictures";
  }

 private:
  // COM1 to COM4, the driver's control device, the test devcon.exe, and
  // stored settings for COM1 (watched, HID digitizer, 9600 baud, PnP
  // polling) and COM7 (watched, not present).
  struct World {
    World() {
      mkfifo(fifo.c_str(), 0600);
      reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // the driver: a write finds a reader
      std::filesystem::create_directories(staging);
      for (std::size_t k = 0; k < ports.size(); ++k) {
        prefix.Link("com" + std::to_string(k + 1), ports[k].slavePath());
      }
      const Outcome stored = Run({WindowsProgram("tests/wine/platform-probe.exe"), "key-create", "set-raw", "COM1", "4",
                                  "27000000", "set-raw", "COM7", "4", "01000000"});
      EXPECT_EQ(stored.status, 0) << stored.out << stored.err;
    }
    ~World() { close(reader); }
    Outcome Run(const std::vector<std::string>& command, std::vector<std::string> environment = {}) const {
      environment.insert(environment.end(), {"DISPLAY=" + display.Name(), devcon});
      return prefix.Run(command, environment);
    }
    VirtualDisplay display;
    WinePrefix prefix;
    std::string fifo = prefix.path() + "/tavrin.fifo";
    int reader = -1;
    std::array<test_support::PseudoTerminal, 4> ports;
    std::string staging = prefix.path() + "/pictures";
    std::string devcon = DevconOnPath(prefix.path() + "/devcon");
  };
  static std::unique_ptr<World> s_world;
};

std::unique_ptr<WineDialogTest::World> WineDialogTest::s_world;

class WineDialogLanguageTest : public WineDialogTest, public ::testing::WithParamInterface<Language> {};

TEST_P(WineDialogLanguageTest, ShowsTheLanguagesTextsInTheDialogAndItsMessageBoxes) {
  const Language& language = GetParam();
  const std::string name = language.name;
  const res::DialogTemplate* dialog = res::FindDialog(IDD_PORTSETUP_DIALOG);
  ASSERT_NE(dialog, nullptr);
  const InspectorReport report =
      Inspect(language, {"launch", Program(), "font", dialog->faceName, std::to_string(dialog->pointSize), "controls",
                         "picture", Picture("main-" + name),
                         // Add without a choice, then the restart (its button is hidden, its command is not).
                         "post", "1007", "owned", "box", "picture", Picture("box-103-" + name), "press", "7", "post",
                         "1021", "owned", "box", "picture", Picture("box-118-" + name), "press", "1",
                         // Add COM2, then Escape in the port list: the save question, answered No.
                         "select", "1017", "0", "select", "1006", "1", "select", "1022", "0", "select", "1023", "1",
                         "post", "1007", "key", "1017", "27", "owned", "box", "picture", Picture("box-102-" + name),
                         "press", "7", "wait-exit"});
  ASSERT_EQ(report.windows.size(), 4u) << report.error;
  const InspectedWindow& main = report.windows[0];
  for (const auto& [controlId, stringId] : kControlTexts) {
    const InspectedControl* control = main.Control(controlId);
    ASSERT_NE(control, nullptr) << controlId;
    EXPECT_EQ(control->text, Text(language, stringId)) << "control " << controlId;
  }
  std::set<int> cut;
  for (const InspectedControl& control : main.controls) {
    EXPECT_EQ(control.missingGlyphs, 0) << "control " << control.id << " \"" << control.text << "\"";
    if (control.Cut()) cut.insert(control.id);
  }
  EXPECT_EQ(cut, test_support::TemplateCutControls(language.id)) << "the controls whose texts are cut";
  EXPECT_THAT(report.boxTexts, ElementsAre(Text(language, IDS_SELECT_PORT_AND_CHOICES),
                                           Text(language, IDS_RESTART_DONE), Text(language, IDS_SAVE_BEFORE_QUIT)));
  for (std::size_t k = 1; k < report.windows.size(); ++k) EXPECT_EQ(report.windows[k].caption, "") << "box " << k;
  EXPECT_EQ(report.exitCode, 0);

  // Without the driver: message 105 over the hidden dialog, then the program ends.
  const InspectorReport missing = Inspect(
      language, {"launch", Program(), "box", "picture", Picture("box-105-" + name), "press", "1", "wait-exit"}, false);
  ASSERT_EQ(missing.windows.size(), 1u) << missing.error;
  EXPECT_EQ(missing.windows[0].caption, "");
  EXPECT_THAT(missing.boxTexts, ElementsAre(Text(language, IDS_INSTALL_DRIVER)));
  EXPECT_EQ(missing.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, WineDialogLanguageTest, ::testing::ValuesIn(kTableLanguages), [](const auto& info) {
  std::string name = info.param.name;
  std::erase(name, '-');
  return name;
});

// In the templates' own language, where Wine's font for the template's face is
// the mapped one itself (elsewhere it draws Chinese through a linked font,
// which a glyph check of the face cannot see).
TEST_F(WineDialogTest, TheSystemMenuOpensTheAboutBoxWhichShowsItsTemplate) {
  const res::DialogTemplate* about = res::FindDialog(IDD_ABOUTBOX);
  ASSERT_NE(about, nullptr);
  // The about item, the system menu's last, opens it (Up from no choice picks the last item).
  const InspectorReport report = Inspect(
      kTableLanguages[0], {"launch", Program(), "system-menu", "picture", Picture("system-menu"), "menu-key", "38",
                           "menu-key", "13", "owned", "font", about->faceName, std::to_string(about->pointSize),
                           "controls", "picture", Picture("about"), "terminate"});
  ASSERT_EQ(report.windows.size(), 2u) << report.error;
  const InspectedWindow& box = report.windows[1];
  ASSERT_EQ(box.controls.size(), about->controls.size());
  for (std::size_t k = 0; k < about->controls.size(); ++k) {
    if (about->controls[k].iconResourceId != 0) continue;  // names an icon, shows no text
    EXPECT_EQ(box.controls[k].text, about->controls[k].text);
    EXPECT_EQ(box.controls[k].missingGlyphs, 0) << box.controls[k].text;
  }
}

}  // namespace
}  // namespace wine_test
