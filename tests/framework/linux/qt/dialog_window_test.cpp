// The window built for a dialog template: geometry in dialog units converted
// through the dialog font's base units, styles shown as the template says,
// and a picture of it kept with the build.
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "framework/framework.h"
#include "framework/linux/input.h"
#include "res/resource.h"
#include "res/resource_tables.h"
#include "tests/framework/linux/qt/qt_test_support.h"

namespace {

using framework::qt::DialogWindow;

int Pixels(int dialogUnits, int base, int divisor) {
  return static_cast<int>(std::lround(dialogUnits * static_cast<double>(base) / divisor));
}

QRect TemplateRectInPixels(const res::ControlTemplate& control, const framework::qt::DialogMetrics& metrics) {
  const int left = Pixels(control.x, metrics.baseX, 4);
  const int top = Pixels(control.y, metrics.baseY, 8);
  return QRect(left, top, Pixels(control.x + control.cx, metrics.baseX, 4) - left,
               Pixels(control.y + control.cy, metrics.baseY, 8) - top);
}

class DialogWindowTest : public QtBackendTest {
 protected:
  // Runs a plain dialog of the template, checks it while it waits for the
  // person, and closes it with the close box.
  void RunAndCheck(UINT templateId, const std::function<void(DialogWindow&)>& check) {
    CDialog dialog(templateId);
    InputScript script;
    script.Then([&] {
      DialogWindow* window = Window();
      ASSERT_NE(window, nullptr);
      check(*window);
    });
    script.Then([this] { Window()->close(); });
    script.Start();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
  }
};

TEST_F(DialogWindowTest, BaseUnitsComeFromTheDialogFont) {
  RunAndCheck(IDD_PORTSETUP_DIALOG, [](DialogWindow& window) {
    const QFontInfo face(window.font());
    EXPECT_TRUE(face.family() == QStringLiteral("新細明體") || face.family().contains(QStringLiteral("CJK")))
        << face.family().toStdString();
    EXPECT_EQ(face.pointSize(), 9);

    const QFontMetrics metrics(window.font());
    const double averageWidth =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52.0;
    EXPECT_LE(std::abs(window.Metrics().baseX - averageWidth), 0.5);
    EXPECT_EQ(window.Metrics().baseY, metrics.height());
  });
}

TEST_F(DialogWindowTest, MainDialogMatchesItsTemplate) {
  RunAndCheck(IDD_PORTSETUP_DIALOG, [this](DialogWindow& window) {
    const res::DialogTemplate* dialogTemplate = res::FindDialog(IDD_PORTSETUP_DIALOG);
    ASSERT_NE(dialogTemplate, nullptr);
    const auto& metrics = window.Metrics();

    EXPECT_EQ(window.windowTitle(), QStringLiteral("TAVRIN"));
    EXPECT_EQ(window.size(),
              QSize(Pixels(dialogTemplate->cx, metrics.baseX, 4), Pixels(dialogTemplate->cy, metrics.baseY, 8)));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    const HWND dialog = framework::TopDialog();
    ASSERT_EQ(dialog->children.size(), dialogTemplate->controls.size());
    for (std::size_t i = 0; i < dialogTemplate->controls.size(); ++i) {
      const res::ControlTemplate& control = dialogTemplate->controls[i];
      QWidget* widget = window.WidgetOf(dialog->children[i].get());
      ASSERT_NE(widget, nullptr) << control.id;
      EXPECT_EQ(widget->isVisible(), (control.style & WS_VISIBLE) != 0) << control.id;

      const QRect expected = TemplateRectInPixels(control, metrics);
      if (dynamic_cast<QComboBox*>(widget) != nullptr) {
        // The template's height includes the dropped-down list.
        EXPECT_EQ(widget->geometry().topLeft(), expected.topLeft()) << control.id;
        EXPECT_EQ(widget->width(), expected.width()) << control.id;
        EXPECT_LE(widget->height(), expected.height()) << control.id;
      } else {
        EXPECT_EQ(widget->geometry(), expected) << control.id;
      }
      EXPECT_EQ(ShownText(widget), QString::fromUtf8(control.text)) << control.id;
      // Nothing is cut off: every text fits its control on one line.
      EXPECT_LE(widget->fontMetrics().horizontalAdvance(ShownText(widget)), widget->width()) << control.id;
    }

    EXPECT_TRUE(Control(IDC_RESTART_BUTTON)->isHidden());
    EXPECT_EQ(dynamic_cast<QGroupBox*>(Control(IDC_SETTINGS_GROUP))->alignment(), Qt::AlignHCenter);
    for (const int label : {IDC_PORT_LIST_LABEL, IDC_DRIVER_TYPE_LABEL, IDC_BAUD_RATE_LABEL, IDC_PNP_POLLING_LABEL,
                            IDC_WATCH_LIST_LABEL}) {
      EXPECT_TRUE(dynamic_cast<QLabel*>(Control(label))->alignment().testFlag(Qt::AlignHCenter)) << label;
    }
    EXPECT_FALSE(dynamic_cast<QComboBox*>(Control(IDC_DRIVER_TYPE_COMBO))->isEditable());
    EXPECT_TRUE(dynamic_cast<QComboBox*>(Control(IDC_BAUD_RATE_COMBO))->isEditable());
    EXPECT_TRUE(dynamic_cast<QComboBox*>(Control(IDC_PNP_POLLING_COMBO))->isEditable());
    EXPECT_FALSE(dynamic_cast<QPushButton*>(Control(IDOK))->isDefault());

    EXPECT_TRUE(SavePicture(window, QStringLiteral(TAVRIN_PICTURE_DIR), QStringLiteral("dialog-102.png")));
  });
}

// Its icon control names an icon the module lacks, which shows nothing there.
TEST_F(DialogWindowTest, AboutBoxShowsNoIconWhereItsOwnIsMissing) {
  RunAndCheck(IDD_ABOUTBOX, [this](DialogWindow& window) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("關於 TAVRIN"));
    const HWND dialog = framework::TopDialog();
    ASSERT_FALSE(dialog->children.empty());
    const auto* icon = dynamic_cast<QLabel*>(window.WidgetOf(dialog->children.front().get()));
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(icon->pixmap().isNull());
    EXPECT_TRUE(dynamic_cast<QPushButton*>(Control(IDOK))->isDefault());
    EXPECT_TRUE(SavePicture(window, QStringLiteral(TAVRIN_PICTURE_DIR), QStringLiteral("about-100.png")));
  });
}

}  // namespace
