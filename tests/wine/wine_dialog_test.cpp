// The real dialog under Wine with Xvfb, driven by dialog-inspector.exe from
// another process: in each of the thirteen languages the main dialog, the
// boxes of Add without a choice (103), the restart (118), Escape with a change
// pending (102) and a missing driver (105), every text against the string
// table, with pictures in TAVRIN_WINE_PICTURES; the about box; one Apply from
// the dialog to the registry, the control device and the debugger output.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>

#include <array>
#include <filesystem>
#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "inspector_report.h"
#include "pseudo_terminal.h"
#include "resource.h"
#include "resource_tables.h"
#include "string_lookup.h"
#include "wine_prefix.h"

namespace wine_test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

struct Language {
  unsigned short id;
  const char* locale;
  const char* name;
};

constexpr Language kLanguages[] = {
    {1028, "zh_TW.UTF-8", "zh-TW"}, {1031, "de_DE.UTF-8", "de"}, {1033, "en_US.UTF-8", "en"},
    {1036, "fr_FR.UTF-8", "fr"},    {1040, "it_IT.UTF-8", "it"}, {1041, "ja_JP.UTF-8", "ja"},
    {1042, "ko_KR.UTF-8", "ko"},    {1043, "nl_NL.UTF-8", "nl"}, {1049, "ru_RU.UTF-8", "ru"},
    {2052, "zh_CN.UTF-8", "zh-CN"}, {3076, "zh_HK.UTF-8", "zh-HK"}, {3082, "es_ES.UTF-8", "es"},
    {4100, "zh_SG.UTF-8", "zh-SG"},
};
constexpr Language kEnglish = kLanguages[2];

// The platform's button ids: the quit button is the dialog's IDOK.
constexpr int kOk = 1;
constexpr int kYes = 6;
constexpr int kNo = 7;

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
    {kOk, IDS_QUIT_BUTTON},
    {IDC_RESTART_BUTTON, IDS_RESTART_BUTTON},
}};

std::string Text(const Language& language, unsigned id) {
  const res::StringEntry* entry = res::FindString(res::Strings(), id, language.id);
  return entry != nullptr ? entry->text : "";
}

class WineDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_world = std::make_unique<World>();
    s_world->prefix.Link("tavrin", s_world->fifo);
    for (std::size_t k = 0; k < s_world->ports.size(); ++k) {
      s_world->prefix.Link("com" + std::to_string(k + 1), s_world->ports[k].slavePath());
    }
  }
  static void TearDownTestSuite() { s_world.reset(); }

  // Stored settings for COM1 (watched, HID digitizer, 9600 baud, PnP polling)
  // and COM7 (watched, not present); the driver's control device present.
  void SetUp() override {
    Probe({"key-delete", "key-create", "set-raw", "COM1", "4", "27000000", "set-raw", "COM7", "4", "01000000"});
    s_world->prefix.Link("tavrin", s_world->fifo);
    Drain();
  }

  static std::vector<std::string> Probe(const std::vector<std::string>& steps) {
    std::vector<std::string> command = {WindowsProgram("tests/wine/platform-probe.exe")};
    command.insert(command.end(), steps.begin(), steps.end());
    const Outcome outcome = s_world->prefix.Run(command);
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    return Lines(outcome.out);
  }

  // Runs the inspector's steps in the language; pictures named in them come
  // back as PNG files in the pictures folder.
  static InspectorReport Inspect(const Language& language, const std::vector<std::string>& steps,
                                 const std::vector<std::string>& environment = {}) {
    std::vector<std::string> command = {WindowsProgram("tests/wine/dialog-inspector.exe")};
    command.insert(command.end(), steps.begin(), steps.end());
    std::vector<std::string> settings = {
        std::string("LC_ALL=") + language.locale, "WINEPATH=" + WindowsPath(WindowsProgram("tests/wine/devcon")),
        "TAVRIN_TEST_DEVCON_EXIT=0", "TAVRIN_TEST_DEVCON_SLEEP_MS=0"};
    settings.insert(settings.end(), environment.begin(), environment.end());
    const Outcome outcome = s_world->prefix.Run(command, settings);
    s_world->lastErrors = outcome.err;
    InspectorReport report = ParseInspectorReport(outcome.out);
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    EXPECT_EQ(report.error, "");
    for (const std::string& step : steps) {
      if (!step.ends_with(".bmp")) continue;
      const std::string bmp = s_world->Unix(step);
      const std::string png = std::filesystem::path(PicturesFolder()) /
                              std::filesystem::path(bmp).filename().replace_extension(".png");
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

  // The bytes the driver's control device received since the last look.
  static std::vector<int> Drain() {
    std::vector<int> bytes;
    unsigned char buffer[64];
    ssize_t count;
    while ((count = read(s_world->reader, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + count);
    return bytes;
  }

  static WinePrefix& Prefix() { return s_world->prefix; }
  static const std::string& LastErrors() { return s_world->lastErrors; }

 private:
  struct World {
    World() {
      mkfifo(fifo.c_str(), 0600);
      reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
      std::filesystem::create_directories(staging);
    }
    ~World() { close(reader); }
    std::string Unix(const std::string& windowsPath) const {
      std::string path = windowsPath.substr(2);  // after "Z:"
      for (char& c : path) {
        if (c == '\\') c = '/';
      }
      return path;
    }
    WinePrefix prefix;
    std::string fifo = prefix.path() + "/tavrin.fifo";
    int reader = -1;
    std::array<test_support::PseudoTerminal, 4> ports;  // COM1 to COM4
    std::string staging = prefix.path() + "/pictures";
    std::string lastErrors;
  };
  static std::unique_ptr<World> s_world;
};

std::unique_ptr<WineDialogTest::World> WineDialogTest::s_world;

class WineDialogLanguageTest : public WineDialogTest, public ::testing::WithParamInterface<Language> {};

TEST_P(WineDialogLanguageTest, ShowsEveryTextInTheLanguageAndTheBoxesOfThePlatform) {
  const Language& language = GetParam();
  const std::string name = language.name;
  const res::DialogTemplate* dialog = res::FindDialog(IDD_PORTSETUP_DIALOG);
  ASSERT_NE(dialog, nullptr);
  const InspectorReport report = Inspect(
      language, {"launch", Program(), "font", dialog->faceName, std::to_string(dialog->pointSize), "controls",
                 "picture", Picture("main-" + name),
                 // Add without a choice, then the restart (its button is hidden, its command is not).
                 "post", "1007", "owned", "controls", "picture", Picture("box-103-" + name), "press", "7",
                 "post", "1021", "owned", "controls", "picture", Picture("box-118-" + name), "press", "1",
                 // Add COM2, then Escape in the port list: the save question.
                 "select", "1017", "0", "select", "1006", "1", "select", "1022", "0", "select", "1023", "1",
                 "post", "1007", "key", "1017", "27", "owned", "controls", "picture", Picture("box-102-" + name),
                 "press", "7", "wait-exit"});
  ASSERT_EQ(report.windows.size(), 4u) << report.error;

  const InspectedWindow& main = report.windows[0];
  EXPECT_EQ(main.caption, dialog->caption);
  for (const auto& [controlId, stringId] : kControlTexts) {
    const InspectedControl* control = main.Control(controlId);
    ASSERT_NE(control, nullptr) << controlId;
    EXPECT_EQ(control->text, Text(language, stringId)) << "control " << controlId;
  }
  for (const InspectedControl& control : main.controls) {
    EXPECT_EQ(control.missingGlyphs, 0) << "control " << control.id << " \"" << control.text << "\"";
    EXPECT_EQ(control.visible, control.id != IDC_RESTART_BUTTON) << control.id;
    EXPECT_EQ(control.enabled, control.id != IDC_APPLY_BUTTON) << control.id;
  }

  const auto expectBox = [&](const InspectedWindow& box, unsigned stringId, std::vector<int> buttons) {
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.BoxText(), Text(language, stringId));
    EXPECT_EQ(box.Buttons(), buttons) << "box " << stringId;
  };
  expectBox(report.windows[1], IDS_SELECT_PORT_AND_CHOICES, {kYes, kNo});
  expectBox(report.windows[2], IDS_RESTART_DONE, {kOk});
  expectBox(report.windows[3], IDS_SAVE_BEFORE_QUIT, {kYes, kNo});
  EXPECT_EQ(report.exitCode, 0);

  // Without the driver: message 105 over the hidden dialog.
  Prefix().Unlink("tavrin");
  const InspectorReport missing =
      Inspect(language, {"launch", Program(), "controls", "picture", Picture("box-105-" + name), "terminate"});
  ASSERT_EQ(missing.windows.size(), 1u);
  expectBox(missing.windows[0], IDS_INSTALL_DRIVER, {kOk});
}

INSTANTIATE_TEST_SUITE_P(Languages, WineDialogLanguageTest, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           std::erase(name, '-');
                           return name;
                         });

// In the templates' own language, where Wine's font for the template's face is
// the mapped one itself (elsewhere it draws Chinese through a linked font,
// which a glyph check of the face cannot see).
TEST_F(WineDialogTest, SystemMenuOpensTheAboutBoxWhichShowsItsTemplateAndEnterEndsTheDialog) {
  const res::DialogTemplate* about = res::FindDialog(IDD_ABOUTBOX);
  ASSERT_NE(about, nullptr);
  // The about item, the system menu's last, opens it (Up from no choice picks the last item).
  const InspectorReport report =
      Inspect(kLanguages[0], {"launch", Program(), "system-menu", "picture", Picture("system-menu"), "menu-key",
                              "38", "menu-key", "13", "owned", "font", about->faceName,
                         std::to_string(about->pointSize), "controls", "picture", Picture("about"), "press", "1",
                         "key", "1017", "13", "wait-exit"});
  ASSERT_EQ(report.windows.size(), 2u);
  const InspectedWindow& box = report.windows[1];
  EXPECT_EQ(box.caption, about->caption);
  ASSERT_EQ(box.controls.size(), about->controls.size());
  for (std::size_t k = 0; k < about->controls.size(); ++k) {
    if (about->controls[k].iconResourceId != 0) continue;  // names an icon, shows no text
    EXPECT_EQ(box.controls[k].text, about->controls[k].text);
    EXPECT_EQ(box.controls[k].missingGlyphs, 0) << box.controls[k].text;
  }
  EXPECT_EQ(report.exitCode, 0);  // Enter with nothing changed: the quit path, no question
}

TEST_F(WineDialogTest, MissingDriverEndsTheProgramAfterItsMessage) {
  Prefix().Unlink("tavrin");
  const InspectorReport report = Inspect(kEnglish, {"launch", Program(), "controls", "press", "1", "wait-exit"});
  ASSERT_EQ(report.windows.size(), 1u);
  EXPECT_EQ(report.windows[0].BoxText(), Text(kEnglish, IDS_INSTALL_DRIVER));
  EXPECT_EQ(report.exitCode, 0);
}

TEST_F(WineDialogTest, ApplyStoresTheWatchListAndTellsTheDriver) {
  const InspectorReport report =
      Inspect(kEnglish,
              {"launch", Program(), "lines", "1017", "select", "1017", "0", "select", "1006", "0", "select", "1022",
               "4", "select", "1023", "0", "send", "1007", "lines", "1008", "send", "1018", "close", "wait-exit"},
              {"WINEDEBUG=+debugstr"});
  EXPECT_THAT(report.lines.at(IDC_PORT_LIST), ElementsAre("COM2", "COM3", "COM4"));
  EXPECT_THAT(report.lines.at(IDC_WATCH_LIST),
              ElementsAre("COM1-HID_Touch_Digitizer-9600-PnP ", "COM2-HID_Touch_Digitizer-9600-PnP ",
                          StartsWith("COM7-Traditional_Touch_Screen-Auto_Scan-")));
  EXPECT_EQ(report.exitCode, 0);  // applied, so quitting asks nothing

  EXPECT_THAT(Probe({"query", "COM1", "query", "COM2", "query", "COM3", "query", "COM7"}),
              ElementsAre("COM1 type=4 size=4 data=27000000", "COM2 type=4 size=4 data=27000000",
                          "COM3 type=4 size=4 data=00000000", "COM7 type=4 size=4 data=01000000"));
  EXPECT_THAT(Drain(), ElementsAre(0x0A, 0x01, 0x42));
  // One diagnostic line per watch entry, in watch-list order, through the real OutputDebugStringA.
  std::vector<std::string> diagnostics;
  for (const std::string& line : Lines(LastErrors())) {
    if (line.find("OutputDebugStringA") != std::string::npos) diagnostics.push_back(line.substr(line.find('"')));
  }
  EXPECT_THAT(diagnostics, ElementsAre("\"dwSetting: 7, BaudIndex: 2580\\n\"", "\"dwSetting: 7, BaudIndex: 2580\\n\"",
                                       "\"dwSetting: 1, BaudIndex: 0\\n\""));
}

}  // namespace
}  // namespace wine_test
