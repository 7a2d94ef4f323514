// Pictures of what a person sees, in every language: the port setup dialog
// with ports and watched entries, the about box and the message boxes, saved
// as PNG files of the build. Each fails when a text does not fit its control,
// except where the template's rectangle is too small for the text as it
// stands; those are listed below, and a listed one that fits fails too, so the
// list cannot go stale.
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <set>
#include <string>
#include <utility>

#include "about_box.h"
#include "framework.h"
#include "port_setup_dlg.h"
#include "qt_test_support.h"
#include "resource.h"
#include "resources.h"
#include "world.h"

namespace {

struct Language {
  WORD id;
  const char* tag;
};

constexpr Language kLanguages[] = {
    {1028, "zh-TW"}, {1031, "de"}, {1033, "en"},    {1036, "fr"},    {1040, "it"},    {1041, "ja"},    {1042, "ko"},
    {1043, "nl"},    {1049, "ru"}, {2052, "zh-CN"}, {3076, "zh-HK"}, {3082, "es"},    {4100, "zh-SG"},
};

// Texts longer than the template lets them be: the control's rectangle, in
// the dialog font, is narrower than the text of that language.
struct TemplateCut {
  WORD language;
  int controlId;
  const char* why;
};

constexpr TemplateCut kTemplateCuts[] = {
    {1031, IDC_PORT_LIST_LABEL, "\"Liste der verfügbaren COM-Schnittstellen\" in an 85-unit label"},
    {1040, IDC_BAUD_RATE_LABEL, "\"Valore di scansione baud rate iniziale\" in a 112-unit label"},
    {1043, IDC_PORT_LIST_LABEL, "\"Lijst met beschikbare COM poorten\" in an 85-unit label"},
    {1049, IDC_BAUD_RATE_LABEL, "\"Начальная скорость передачи информации \" in a 112-unit label"},
    {3082, IDC_BAUD_RATE_LABEL, "\"Inicializando escaneo de Baud Rate\" in a 112-unit label"},
};

bool IsTemplateCut(WORD language, int controlId) {
  for (const TemplateCut& cut : kTemplateCuts) {
    if (cut.language == language && cut.controlId == controlId) return true;
  }
  return false;
}

// The width a control gives its text, and the text.
struct TextSpace {
  QString text;
  int available = 0;
};

TextSpace SpaceOf(QWidget* widget) {
  if (auto* button = dynamic_cast<QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return {button->text(), button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width()};
  }
  if (auto* label = dynamic_cast<QLabel*>(widget)) return {label->text(), label->contentsRect().width()};
  if (auto* group = dynamic_cast<QGroupBox*>(widget)) return {group->title(), group->contentsRect().width()};
  return {};
}

bool Fits(QWidget* widget) {
  const TextSpace space = SpaceOf(widget);
  return widget->fontMetrics().horizontalAdvance(space.text) <= space.available;
}

// The controls that show a text, with the string each shows.
constexpr std::pair<int, UINT> kTextControls[] = {
    {IDC_SETTINGS_GROUP, IDS_GROUP_SETTINGS},       {IDC_PORT_LIST_LABEL, IDS_PORT_LIST_LABEL},
    {IDC_DRIVER_TYPE_LABEL, IDS_DRIVER_TYPE_LABEL}, {IDC_BAUD_RATE_LABEL, IDS_BAUD_RATE_LABEL},
    {IDC_PNP_POLLING_LABEL, IDS_PNP_POLLING_LABEL}, {IDC_ADD_BUTTON, IDS_ADD_BUTTON},
    {IDC_REMOVE_BUTTON, IDS_REMOVE_BUTTON},         {IDC_WATCH_LIST_LABEL, IDS_WATCH_LIST_LABEL},
    {IDC_APPLY_BUTTON, IDS_APPLY_BUTTON},           {IDOK, IDS_QUIT_BUTTON},
};

QString PicturePath(const std::string& name) {
  QDir().mkpath(QStringLiteral(TAVRIN_PICTURE_DIR));
  return QStringLiteral(TAVRIN_PICTURE_DIR "/") + QString::fromStdString(name) + QStringLiteral(".png");
}

std::string LoadedText(UINT id) {
  CString text;
  text.LoadString(id);
  return text.str();
}

class Pictures : public QtBackendTest {
 protected:
  // Free ports COM1, COM2 and COM4 (COM3 held by another program), and two
  // watched words, so that both lists show lines.
  void SetUp() override {
    QtBackendTest::SetUp();
    for (const int port : {1, 2, 4}) world_.Apply(scenario::SetPort{port, false});
    world_.Apply(scenario::SetPort{3, true});
    world_.Apply(scenario::SetValue{"COM5", true, {0x27, 0, 0, 0}});
    world_.Apply(scenario::SetValue{"COM7", true, {0x01, 0, 0, 0}});
  }

  scenario::World world_;
};

TEST_F(Pictures, TheDialogInEveryLanguageShowsEveryTextWhole) {
  std::set<std::pair<WORD, int>> cut;
  for (const Language& language : kLanguages) {
    framework::SetResourceLanguage(language.id);
    CPortSetupDlg dialog;
    InputScript script;
    script.Then([&] {
      ASSERT_NE(Window(), nullptr);
      for (const auto& [id, stringId] : kTextControls) {
        QWidget* control = Control(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(SpaceOf(control).text.toStdString(), LoadedText(stringId)) << language.tag << " " << id;
        if (!Fits(control)) cut.insert({language.id, id});
      }
      EXPECT_TRUE(Window()->grab().save(PicturePath("dialog-" + std::to_string(language.id) + "-" + language.tag)));
    });
    script.Then([this] { Window()->close(); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK) << language.tag;  // the close box takes the quit path
    EXPECT_TRUE(script.Finished()) << language.tag;
  }

  for (const auto& [language, id] : cut) {
    EXPECT_TRUE(IsTemplateCut(language, id)) << "language " << language << ": the text of control " << id
                                             << " is cut off";
  }
  for (const TemplateCut& expected : kTemplateCuts) {
    EXPECT_TRUE(cut.count({expected.language, expected.controlId}) == 1)
        << "language " << expected.language << ", control " << expected.controlId << " fits now: " << expected.why;
  }
}

TEST_F(Pictures, TheAboutBox) {
  CAboutBox about;
  InputScript script;
  script.Then([this] {
    ASSERT_NE(Window(), nullptr);
    for (QLabel* label : Window()->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) {
        EXPECT_TRUE(Fits(label)) << label->text().toStdString();
      }
    }
    EXPECT_TRUE(Fits(Control(IDOK)));
    EXPECT_TRUE(Window()->grab().save(PicturePath("about")));
  });
  script.Then([this] { QTest::keyClick(Control(IDOK), Qt::Key_Space); });
  script.Start();
  EXPECT_EQ(about.DoModal(), IDOK);
}

TEST_F(Pictures, TheMessageBoxesInEveryLanguageShowTheirWholeText) {
  const std::pair<UINT, UINT> boxes[] = {{102, MB_YESNO}, {103, MB_OK}, {104, MB_OK},
                                         {105, MB_OK},    {106, MB_OK}, {118, MB_OK}};
  for (const Language& language : kLanguages) {
    framework::SetResourceLanguage(language.id);
    for (const auto& [id, type] : boxes) {
      const std::string text = LoadedText(id);
      const std::string name = "box-" + std::to_string(id) + "-" + std::to_string(language.id) + "-" + language.tag;
      InputScript script;
      script.WithBox([&, type = type](QMessageBox& box) {
        EXPECT_EQ(box.text().toStdString(), text) << name;
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name << ": the text is cut";
        const QMessageBox::StandardButton answer = type == MB_YESNO ? QMessageBox::Yes : QMessageBox::Ok;
        EXPECT_EQ(box.buttons().size(), type == MB_YESNO ? 2 : 1) << name;
        ASSERT_NE(box.button(answer), nullptr) << name;
        EXPECT_TRUE(box.grab().save(PicturePath(name)));
        QTest::mouseClick(box.button(answer), Qt::LeftButton);
      });
      script.Start();
      EXPECT_EQ(backend_->MessageBox(nullptr, text.c_str(), "", type), type == MB_YESNO ? IDYES : IDOK) << name;
    }
  }
}

}  // namespace
