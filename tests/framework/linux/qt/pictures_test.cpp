// Pictures of what a person sees, in every language: the port setup dialog
// with ports and watched entries, the about box and the message boxes (their
// buttons in the language too), saved as PNG files of the build. Each fails when a text does not fit its control
// or has a character no font can draw, except where the template's rectangle
// is too narrow for the text as it stands; those are listed below, and a
// listed one that fits fails too, so the list cannot go stale.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialog/about_box.h"
#include "dialog/port_setup_dlg.h"
#include "framework/framework.h"
#include "framework/linux/input.h"
#include "framework/linux/resources.h"
#include "res/resource.h"
#include "tests/framework/linux/qt/qt_test_support.h"
#include "tests/scenario_tool/tool/world/world.h"
#include "tests/support/template_cuts.h"

namespace {

using test_support::kTemplateCuts;
using test_support::TemplateCut;

// Each language with the words of its message box buttons ("&" before the
// key that presses the button).
struct Language {
  WORD id;
  const char* tag;
  const char* yes;
  const char* no;
  const char* ok;
};

constexpr Language kLanguages[] = {
    {1028, "zh-TW", "是(&Y)", "否(&N)", "確定"},
    {1031, "de", "&Ja", "&Nein", "OK"},
    {1033, "en", "&Yes", "&No", "OK"},
    {1036, "fr", "&Oui", "&Non", "OK"},
    {1040, "it", "&Sì", "&No", "OK"},
    {1041, "ja", "はい(&Y)", "いいえ(&N)", "OK"},
    {1042, "ko", "예(&Y)", "아니요(&N)", "확인"},
    {1043, "nl", "&Ja", "&Nee", "OK"},
    {1049, "ru", "&Да", "&Нет", "OK"},
    {2052, "zh-CN", "是(&Y)", "否(&N)", "确定"},
    {3076, "zh-HK", "是(&Y)", "否(&N)", "確定"},
    {3082, "es", "&Sí", "&No", "Aceptar"},
    {4100, "zh-SG", "是(&Y)", "否(&N)", "确定"},
};

// The strings the main dialog's controls show, set at its initialisation.
constexpr UINT kFirstControlString = IDS_GROUP_SETTINGS;
constexpr UINT kLastControlString = IDS_RESTART_BUTTON;

bool ShowsText(const QWidget* widget) {
  return dynamic_cast<const QPushButton*>(widget) != nullptr || dynamic_cast<const QGroupBox*>(widget) != nullptr ||
         (dynamic_cast<const QLabel*>(widget) != nullptr && !ShownText(widget).isEmpty());
}

// The width a control gives its text: a label's contents, the inside of a
// button's bevel; for a group box, the frame's width less the title's margins.
int TextSpaceOf(QWidget* widget) {
  if (auto* button = dynamic_cast<QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
  }
  if (auto* group = dynamic_cast<QGroupBox*>(widget)) {
    // The style sizes the title's rectangle to the text and places it inside
    // its margins; with no text that leaves the margins alone.
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.textAlignment = Qt::AlignLeft;
    const QRect emptyTitle =
        group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    return group->width() - 2 * emptyTitle.left();
  }
  return widget->contentsRect().width();
}

int TextWidthOf(const QWidget* widget) { return widget->fontMetrics().horizontalAdvance(ShownText(widget)); }

// Every character of the text has a glyph in the font or in one Qt falls back
// to; a missing one shows as an empty box.
bool HasEveryGlyph(QString text, const QFont& font) {
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(text, font);
  layout.beginLayout();
  while (layout.createLine().isValid()) {
  }
  layout.endLayout();
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const QList<quint32> glyphs = run.glyphIndexes();
    if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end()) return false;
  }
  return true;
}

std::string LoadedText(UINT id) {
  CString text;
  text.LoadString(id);
  return text.str();
}

QString PictureName(const std::string& what, const Language& language) {
  return QString::fromStdString(what + "-" + std::to_string(language.id) + "-" + language.tag + ".png");
}

bool SavePicture(QWidget& widget, const QString& fileName) {
  return SavePicture(widget, QStringLiteral(TAVRIN_PICTURE_DIR), fileName);
}

class Pictures : public QtBackendTest {
 protected:
  // The world ./run shows: ports COM1 to COM4 (COM3 held by another program)
  // and settings stored for COM1 and COM7 (not present), so that both lists
  // show lines.
  void SetUp() override {
    QtBackendTest::SetUp();
    for (const int port : {1, 2, 4}) m_world.Apply(scenario::SetPort{port, false});
    m_world.Apply(scenario::SetPort{3, true});
    m_world.Apply(scenario::SetValue{"COM1", true, {0x27, 0, 0, 0}});
    m_world.Apply(scenario::SetValue{"COM7", true, {0x01, 0, 0, 0}});
  }

  void TearDown() override {
    framework::SetResourceLanguage(1033);
    QtBackendTest::TearDown();
  }

  // The controls of the dialog on top that show a text, with their ids.
  std::vector<std::pair<int, QWidget*>> TextControls() const {
    std::vector<std::pair<int, QWidget*>> controls;
    for (const auto& child : framework::TopDialog()->children) {
      QWidget* widget = Window()->WidgetOf(child.get());
      if (ShowsText(widget)) controls.emplace_back(child->id, widget);
    }
    return controls;
  }

  scenario::World m_world;
};

TEST_F(Pictures, TheDialogInEveryLanguageShowsEveryTextWhole) {
  std::set<std::pair<WORD, int>> cut;
  for (const Language& language : kLanguages) {
    SCOPED_TRACE(language.tag);
    framework::SetResourceLanguage(language.id);
    CPortSetupDlg dialog;
    InputScript script;
    script.Then([&] {
      ASSERT_NE(Window(), nullptr);
      EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_PORT_LIST))->count(), 2);  // COM2 and COM4
      EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_WATCH_LIST))->count(), 2);

      // The controls show the language's strings, each once.
      std::vector<std::string> expected;
      for (UINT id = kFirstControlString; id <= kLastControlString; ++id) expected.push_back(LoadedText(id));
      std::vector<std::string> shown;
      for (const auto& [id, control] : TextControls()) {
        shown.push_back(ShownText(control).toStdString());
        EXPECT_TRUE(HasEveryGlyph(ShownText(control), control->font())) << shown.back();
        if (TextWidthOf(control) > TextSpaceOf(control)) cut.insert({language.id, id});
        EXPECT_LE(control->fontMetrics().height(), control->contentsRect().height()) << shown.back();
      }
      std::sort(expected.begin(), expected.end());
      std::sort(shown.begin(), shown.end());
      EXPECT_EQ(shown, expected);

      EXPECT_TRUE(SavePicture(*Window(), PictureName("dialog", language)));
    });
    script.Then([this] { Window()->close(); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDOK);  // the close box takes the quit path
    EXPECT_TRUE(script.Finished());
  }

  for (const auto& [language, id] : cut) {
    EXPECT_TRUE(std::any_of(std::begin(kTemplateCuts), std::end(kTemplateCuts),
                            [&](const TemplateCut& c) { return c.language == language && c.controlId == id; }))
        << "language " << language << ": the text of control " << id << " is cut off";
  }
  for (const TemplateCut& expected : kTemplateCuts) {
    EXPECT_EQ(cut.count({expected.language, expected.controlId}), 1u)
        << "language " << expected.language << ", control " << expected.controlId << " fits now: " << expected.why;
  }
}

TEST_F(Pictures, TheAboutBox) {
  CAboutBox about;
  InputScript script;
  script.Then([this] {
    ASSERT_NE(Window(), nullptr);
    const auto controls = TextControls();
    for (const auto& [id, control] : controls) {
      const std::string text = ShownText(control).toStdString();
      EXPECT_LE(TextWidthOf(control), TextSpaceOf(control)) << text;
      EXPECT_TRUE(HasEveryGlyph(ShownText(control), control->font())) << text;
    }
    EXPECT_EQ(controls.size(), 3u);  // the version, the copyright and the OK button
    EXPECT_TRUE(SavePicture(*Window(), QStringLiteral("about.png")));
  });
  script.Then([this] { QTest::keyClick(Control(IDOK), Qt::Key_Space); });
  script.Start();
  EXPECT_EQ(about.DoModal(), IDOK);
  EXPECT_TRUE(script.Finished());
}

TEST_F(Pictures, TheMessageBoxesInEveryLanguageShowTheirWholeTextAndTheLanguagesButtons) {
  // 103 comes in a Yes/No box from Add and in an OK box from a rewrite.
  const std::pair<UINT, UINT> boxes[] = {{102, MB_YESNO}, {103, MB_YESNO}, {103, MB_OK}, {104, MB_OK},
                                         {105, MB_OK},    {106, MB_OK},    {118, MB_OK}};
  for (const Language& language : kLanguages) {
    framework::SetResourceLanguage(language.id);
    for (const auto& [id, type] : boxes) {
      const std::string text = LoadedText(id);
      const QString name = PictureName("box-" + std::to_string(id) + (type == MB_YESNO ? "-yesno" : "-ok"), language);
      SCOPED_TRACE(name.toStdString());
      const QMessageBox::StandardButtons buttons =
          type == MB_YESNO ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok);
      InputScript script;
      script.WithBox([&](QMessageBox& box) {
        EXPECT_EQ(box.text().toStdString(), text);
        EXPECT_EQ(ButtonsOf(box), buttons);
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(box.rect().contains(label->geometry())) << "the text goes past the box";
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << "the text is cut";
        EXPECT_TRUE(HasEveryGlyph(label->text(), label->font()));
        const std::vector<std::pair<QMessageBox::StandardButton, const char*>> words =
            type == MB_YESNO
                ? std::vector{std::pair{QMessageBox::Yes, language.yes}, std::pair{QMessageBox::No, language.no}}
                : std::vector{std::pair{QMessageBox::Ok, language.ok}};
        for (const auto& [button, word] : words) {
          EXPECT_EQ(box.button(button)->text().toStdString(), word);
          EXPECT_TRUE(HasEveryGlyph(box.button(button)->text(), box.button(button)->font())) << word;
        }
        EXPECT_TRUE(SavePicture(box, name));
        QTest::mouseClick(box.button(type == MB_YESNO ? QMessageBox::Yes : QMessageBox::Ok), Qt::LeftButton);
      });
      script.Start();
      EXPECT_EQ(m_backend->MessageBox(nullptr, text.c_str(), "", type), type == MB_YESNO ? IDYES : IDOK);
      EXPECT_TRUE(script.Finished());
    }
  }
}

}  // namespace
