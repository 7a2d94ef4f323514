// Message boxes: modal, an empty caption, the buttons of their type in the
// language of the string table, and the answer of the button pressed.
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "framework/linux/resources.h"
#include "tests/framework/linux/qt/qt_test_support.h"

namespace {

class MessageBoxTest : public QtBackendTest {
 protected:
  void TearDown() override {
    framework::SetResourceLanguage(1033);
    QtBackendTest::TearDown();
  }
};

TEST_F(MessageBoxTest, OkBox) {
  InputScript script;
  script.WithBox([](QMessageBox& box) {
    EXPECT_TRUE(box.isModal());
    EXPECT_EQ(box.windowTitle(), QString());
    EXPECT_EQ(box.text(), QStringLiteral("TAVRIN 設定寫入錯誤"));
    EXPECT_EQ(ButtonsOf(box), QMessageBox::StandardButtons(QMessageBox::Ok));
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
  });
  script.Start();
  EXPECT_EQ(m_backend->MessageBox(nullptr, "TAVRIN 設定寫入錯誤", "", MB_OK), IDOK);
  EXPECT_TRUE(script.Finished());
}

TEST_F(MessageBoxTest, YesNoBoxAnswersTheButtonPressed) {
  for (const auto& [button, answer] : {std::pair{QMessageBox::Yes, IDYES}, std::pair{QMessageBox::No, IDNO}}) {
    InputScript script;
    script.WithBox([button = button](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), QString());
      EXPECT_EQ(ButtonsOf(box), QMessageBox::Yes | QMessageBox::No);
      QTest::mouseClick(box.button(button), Qt::LeftButton);
    });
    script.Start();
    EXPECT_EQ(m_backend->MessageBox(nullptr, "Save settings before quit?", "", MB_YESNO), answer);
    EXPECT_TRUE(script.Finished());
  }
}

// A Yes/No box has no Cancel: Escape and the close box must not answer No for
// the person, which would quit without saving.
TEST_F(MessageBoxTest, YesNoBoxIgnoresEscapeAndTheCloseBox) {
  InputScript script;
  script.WithBox([](QMessageBox& box) {
    EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QTest::keyClick(&box, Qt::Key_Escape);
    box.close();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(box.clickedButton(), nullptr);
  });
  script.WithBox([](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton); });
  script.Start();
  EXPECT_EQ(m_backend->MessageBox(nullptr, "Save settings before quit?", "", MB_YESNO), IDYES);
  EXPECT_TRUE(script.Finished());
}

TEST_F(MessageBoxTest, EscapeOnAnOkBoxAnswersOk) {
  InputScript script;
  script.WithBox([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  script.Start();
  EXPECT_EQ(m_backend->MessageBox(nullptr, "Read TAVRIN setting error!", "", MB_OK), IDOK);
  EXPECT_TRUE(script.Finished());
}

TEST_F(MessageBoxTest, TextIsShownAsItIs) {
  InputScript script;
  script.WithBox([](QMessageBox& box) {
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.text(), QStringLiteral("<b>COM1</b>\n"));
    QTest::keyClick(&box, Qt::Key_Return);
  });
  script.Start();
  EXPECT_EQ(m_backend->MessageBox(nullptr, "<b>COM1</b>\n", "", MB_OK), IDOK);
}

// The terminal words its buttons from the program's table, Qt from its
// catalogs: in every language but English (each backend's own) they agree.
TEST_F(MessageBoxTest, TheTerminalsButtonWordsAreQtsOwnInEveryLanguage) {
  const LANGID languages[] = {1028, 1031, 1036, 1040, 1041, 1042, 1043, 1049, 2052, 3076, 3082, 4100};
  const std::pair<UINT, std::vector<std::pair<QMessageBox::StandardButton, int>>> boxes[] = {
      {MB_YESNO, {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}},
      {MB_OKCANCEL, {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}},
  };
  for (const LANGID language : languages) {
    framework::SetResourceLanguage(language);
    for (const auto& [type, buttons] : boxes) {
      InputScript script;
      script.WithBox([&buttons, language](QMessageBox& box) {
        for (const auto& [button, id] : buttons) {
          EXPECT_EQ(box.button(button)->text().toStdString(), framework::BoxButtonWord(id)) << language;
        }
        QTest::mouseClick(box.button(buttons.front().first), Qt::LeftButton);
      });
      script.Start();
      m_backend->MessageBox(nullptr, "?", "", type);
      EXPECT_TRUE(script.Finished());
    }
  }
}

}  // namespace
