// The person's input on the real window reaches the core as the platform's
// notifications, and the core alone decides what the dialog keys do.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <span>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "framework/linux/input.h"
#include "res/resource.h"
#include "tests/framework/linux/qt/qt_test_support.h"

namespace {

// The main template with handlers that record what reached the dialog.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog() : CDialog(IDD_PORTSETUP_DIALOG) {}

  std::vector<std::string> events;
  int boxAnswer = 0;
  bool askOnAdd = false;
  bool runAboutBox = false;
  INT_PTR aboutResult = 0;

 protected:
  void OnOK() override {
    events.push_back("OK");
    CDialog::OnOK();
  }
  void OnCancel() override {
    events.push_back("Cancel");
    CDialog::OnCancel();
  }
  void OnAdd() {
    events.push_back("clicked 1007");
    if (askOnAdd) boxAnswer = MessageBox("Save settings before quit?", "", MB_YESNO);
  }
  void OnPortListChange() { events.push_back("selchange 1017"); }
  void OnWatchListChange() { events.push_back("selchange 1008"); }
  void OnDriverTypeChange() { events.push_back("selchange 1006"); }
  void OnBaudRateChange() { events.push_back("selchange 1022"); }
  void OnSysCommand(UINT nID, LPARAM) {
    events.push_back("syscommand " + std::to_string(nID));
    if (runAboutBox && (nID & 0xFFF0) == IDM_ABOUTBOX) {
      CDialog about(IDD_ABOUTBOX);
      aboutResult = about.DoModal();
    } else {
      Default();
    }
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog, CDialog)
  ON_BN_CLICKED(IDC_ADD_BUTTON, &ProbeDialog::OnAdd)
  ON_LBN_SELCHANGE(IDC_PORT_LIST, &ProbeDialog::OnPortListChange)
  ON_LBN_SELCHANGE(IDC_WATCH_LIST, &ProbeDialog::OnWatchListChange)
  ON_CBN_SELCHANGE(IDC_DRIVER_TYPE_COMBO, &ProbeDialog::OnDriverTypeChange)
  ON_CBN_SELCHANGE(IDC_BAUD_RATE_COMBO, &ProbeDialog::OnBaudRateChange)
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

using Events = std::vector<std::string>;

class DialogInputTest : public QtBackendTest {
 protected:
  HWND Record(int id) const { return framework::TopDialog()->Child(id); }
  int FocusId() const {
    const HWND focus = framework::TopDialog()->Dialog().focus;
    return focus != nullptr ? focus->id : 0;
  }
  void AddLines(int id, UINT message, std::initializer_list<const char*> lines) const {
    for (const char* line : lines) SendMessageA(Record(id), message, 0, reinterpret_cast<LPARAM>(line));
  }
  // The key goes to the widget Qt gives it to: the one with Qt's focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(Window()->focusWidget(), key, modifiers);
  }
  void ExpectFocusOn(int id) const {
    EXPECT_EQ(FocusId(), id);
    const framework::qt::ControlView* view = Window()->ViewOf(Window()->focusWidget());
    ASSERT_NE(view, nullptr) << "Qt's focus is on no control";
    EXPECT_EQ(view->Record()->id, id) << "Qt's focus is elsewhere";
  }

  ProbeDialog m_dialog;
  InputScript m_script;
};

TEST_F(DialogInputTest, ClickOnAButtonIsBnClicked) {
  m_script.Then([this] { QTest::mouseClick(Control(IDC_ADD_BUTTON), Qt::LeftButton); }).Then([this] {
    EXPECT_EQ(m_dialog.events, Events{"clicked 1007"});
    ExpectFocusOn(IDC_ADD_BUTTON);
    QTest::mouseClick(Control(IDOK), Qt::LeftButton);
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDOK);
  EXPECT_EQ(m_dialog.events, (Events{"clicked 1007", "OK"}));
}

TEST_F(DialogInputTest, TabFollowsTheTemplateTabStops) {
  // The hidden restart button is skipped; the baud and PnP combos stand last.
  const int tabStops[] = {IDC_PORT_LIST,         IDC_DRIVER_TYPE_COMBO, IDC_ADD_BUTTON, IDC_REMOVE_BUTTON,
                          IDC_WATCH_LIST,        IDC_APPLY_BUTTON,      IDOK,           IDC_BAUD_RATE_COMBO,
                          IDC_PNP_POLLING_COMBO, IDC_PORT_LIST};
  for (const int focused : std::span(tabStops).first(std::size(tabStops) - 1)) {
    m_script.Then([this, focused] {
      ExpectFocusOn(focused);
      Key(Qt::Key_Tab);
    });
  }
  m_script.Then([this] {
    ExpectFocusOn(IDC_PORT_LIST);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
  });
  m_script.Then([this] {
    ExpectFocusOn(IDC_PNP_POLLING_COMBO);
    Window()->close();
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(m_script.Finished());
}

TEST_F(DialogInputTest, EnterWithoutAFocusedButtonIsOk) {
  m_script.Then([this] { Key(Qt::Key_Return); });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDOK);
  EXPECT_EQ(m_dialog.events, Events{"OK"});
}

TEST_F(DialogInputTest, EnterOnAFocusedButtonClicksIt) {
  m_script.Then([this] { framework::SetFocusTo(Record(IDC_ADD_BUTTON)); })
      .Then([this] {
        ExpectFocusOn(IDC_ADD_BUTTON);
        Key(Qt::Key_Return);
      })
      .Then([this] {
        EXPECT_EQ(m_dialog.events, Events{"clicked 1007"});
        Key(Qt::Key_Escape);
      });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.events, (Events{"clicked 1007", "Cancel"}));
}

TEST_F(DialogInputTest, EscapeInAComboEditFieldIsCancel) {
  m_script.Then([this] {
    auto* baud = dynamic_cast<QComboBox*>(Control(IDC_BAUD_RATE_COMBO));
    QTest::mouseClick(baud->lineEdit(), Qt::LeftButton);
    QTest::keyClick(baud->lineEdit(), Qt::Key_Escape);
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.events, Events{"Cancel"});
}

TEST_F(DialogInputTest, ListsShowTheCoreOrderAndReportThePersonsSelection) {
  m_script.Then([this] {
    AddLines(IDC_PORT_LIST, LB_ADDSTRING, {"COM3", "COM1", "com2"});
    AddLines(IDC_WATCH_LIST, LB_ADDSTRING, {"COM3-x ", "COM1-y ", "com2-z "});
    auto* ports = dynamic_cast<QListWidget*>(Control(IDC_PORT_LIST));
    auto* watch = dynamic_cast<QListWidget*>(Control(IDC_WATCH_LIST));
    ASSERT_EQ(ports->count(), 3);
    EXPECT_EQ(ports->item(0)->text(), QStringLiteral("COM3"));
    EXPECT_EQ(ports->item(2)->text(), QStringLiteral("com2"));
    ASSERT_EQ(watch->count(), 3);
    EXPECT_EQ(watch->item(0)->text(), QStringLiteral("COM1-y "));
    EXPECT_EQ(watch->item(1)->text(), QStringLiteral("com2-z "));
    EXPECT_EQ(watch->item(2)->text(), QStringLiteral("COM3-x "));
    QTest::mouseClick(watch->viewport(), Qt::LeftButton, {}, watch->visualItemRect(watch->item(1)).center());
  });
  m_script.Then([this] {
    EXPECT_EQ(m_dialog.events, Events{"selchange 1008"});
    EXPECT_EQ(Record(IDC_WATCH_LIST)->List().selection, 1);
    EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_WATCH_LIST))->currentRow(), 1);
    ExpectFocusOn(IDC_WATCH_LIST);
    // Arrow keys move the selection through the core.
    Key(Qt::Key_Down);
  });
  m_script.Then([this] {
    EXPECT_EQ(Record(IDC_WATCH_LIST)->List().selection, 2);
    EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_WATCH_LIST))->currentRow(), 2);
    // A selection made by the program is shown and notifies nobody.
    SendMessageA(Record(IDC_PORT_LIST), LB_SETCURSEL, 2, 0);
    EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_PORT_LIST))->currentRow(), 2);
    SendMessageA(Record(IDC_PORT_LIST), LB_DELETESTRING, 0, 0);
    EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_PORT_LIST))->count(), 2);
    EXPECT_EQ(dynamic_cast<QListWidget*>(Control(IDC_PORT_LIST))->currentRow(), 1);
    Window()->close();
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.events, (Events{"selchange 1008", "selchange 1008", "Cancel"}));
}

TEST_F(DialogInputTest, ComboChoicesAndTypedText) {
  m_script.Then([this] {
    AddLines(IDC_DRIVER_TYPE_COMBO, CB_ADDSTRING, {"HID_Touch_Digitizer", "Traditional_Touch_Screen"});
    AddLines(IDC_BAUD_RATE_COMBO, CB_ADDSTRING, {"Auto_Scan", "1200", "2400"});
    auto* driverType = dynamic_cast<QComboBox*>(Control(IDC_DRIVER_TYPE_COMBO));
    QTest::mouseClick(driverType, Qt::LeftButton);
    EXPECT_TRUE(Record(IDC_DRIVER_TYPE_COMBO)->Combo().droppedDown);
    // In the open list the arrows choose through the core, each one a
    // selection change, and Enter closes the list.
    QAbstractItemView* list = driverType->view();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
  });
  m_script.Then([this] {
    EXPECT_EQ(m_dialog.events, (Events{"selchange 1006", "selchange 1006"}));
    EXPECT_EQ(Record(IDC_DRIVER_TYPE_COMBO)->List().selection, 1);
    EXPECT_FALSE(Record(IDC_DRIVER_TYPE_COMBO)->Combo().droppedDown);
    // A typed letter chooses the item it begins, through the core.
    Key(Qt::Key_H);
  });
  m_script.Then([this] {
    EXPECT_EQ(Record(IDC_DRIVER_TYPE_COMBO)->List().selection, 0);
    EXPECT_EQ(dynamic_cast<QComboBox*>(Control(IDC_DRIVER_TYPE_COMBO))->currentIndex(), 0);

    auto* baud = dynamic_cast<QComboBox*>(Control(IDC_BAUD_RATE_COMBO));
    QTest::mouseClick(baud->lineEdit(), Qt::LeftButton);
    QTest::keyClicks(baud->lineEdit(), "1200");
    EXPECT_EQ(Record(IDC_BAUD_RATE_COMBO)->Combo().editText, "1200");
    // Leaving the field with text that names an item picks nothing.
    QTest::mouseClick(Control(IDC_PORT_LIST), Qt::LeftButton);
  });
  m_script.Then([this] {
    EXPECT_EQ(Record(IDC_BAUD_RATE_COMBO)->List().selection, -1);
    EXPECT_EQ(dynamic_cast<QComboBox*>(Control(IDC_BAUD_RATE_COMBO))->currentText(), QStringLiteral("1200"));
    Window()->close();
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.events, (Events{"selchange 1006", "selchange 1006", "selchange 1006", "Cancel"}));
}

// The core must not think a list still down after Qt closed it: Enter would
// then only close that list instead of taking the quit path.
TEST_F(DialogInputTest, AComboListClosedByAClickElsewhereIsNoLongerDown) {
  m_script.Then([this] {
    AddLines(IDC_DRIVER_TYPE_COMBO, CB_ADDSTRING, {"HID_Touch_Digitizer", "Traditional_Touch_Screen"});
    QTest::mouseClick(Control(IDC_DRIVER_TYPE_COMBO), Qt::LeftButton);
    EXPECT_TRUE(Record(IDC_DRIVER_TYPE_COMBO)->Combo().droppedDown);
    QTest::mouseClick(Window()->windowHandle(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(dynamic_cast<QComboBox*>(Control(IDC_DRIVER_TYPE_COMBO))->view()->isVisible());
    EXPECT_FALSE(Record(IDC_DRIVER_TYPE_COMBO)->Combo().droppedDown);
  });
  m_script.Then([this] {
    ExpectFocusOn(IDC_DRIVER_TYPE_COMBO);
    Key(Qt::Key_Return);
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDOK);
  EXPECT_EQ(m_dialog.events, Events{"OK"});
}

TEST_F(DialogInputTest, CloseBoxGoesThroughTheCore) {
  m_script.Then([this] {
    Window()->close();
    // The window stays until the core has ended the dialog.
    EXPECT_TRUE(Window()->isVisible());
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_backend->WindowOf(m_dialog.m_hWnd), nullptr);
}

TEST_F(DialogInputTest, MessageBoxIsModalOverTheDialog) {
  m_dialog.askOnAdd = true;
  m_script.Then([this] { QTest::mouseClick(Control(IDC_ADD_BUTTON), Qt::LeftButton); })
      .WithBox([this](QMessageBox& box) {
        EXPECT_EQ(box.parentWidget(), m_backend->WindowOf(m_dialog.m_hWnd));
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.windowTitle(), QString());
        QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
      })
      .Then([this] { Window()->close(); });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.boxAnswer, IDNO);
}

TEST_F(DialogInputTest, SystemMenuShowsThePlatformAndProgramItems) {
  m_script.Then([this] {
    CMenu* menu = m_dialog.GetSystemMenu(FALSE);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, "?? TAVRIN(&A)...");
    // A right-click on the dialog's background.
    QWidget* window = Window();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), window->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(window, &click);
  });
  m_script.WithMenu([](QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, (QStringList{"&Move", "-", "&Close\tAlt+F4", "-", "?? TAVRIN(&A)..."}));
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().last()).center());
  });
  m_script.Then([this] {
    EXPECT_EQ(m_dialog.events, Events{"syscommand 16"});
    Key(Qt::Key_Space, Qt::AltModifier);
  });
  // Alt+Space opens the same menu through the core; Close there closes.
  m_script.WithMenu([](QMenu& menu) {
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(menu.actions().at(2)).center());
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(m_dialog.events, (Events{"syscommand 16", "syscommand " + std::to_string(SC_KEYMENU),
                                     "syscommand " + std::to_string(SC_CLOSE), "Cancel"}));
}

TEST_F(DialogInputTest, AboutBoxRunsModalOverTheDialog) {
  m_dialog.runAboutBox = true;
  QWidget* mainWindow = nullptr;
  m_script.Then([&] {
    mainWindow = Window();
    framework::SystemCommand(framework::TopDialog(), IDM_ABOUTBOX);
  });
  m_script.Then([&] {
    ASSERT_EQ(framework::TopDialog()->id, IDD_ABOUTBOX);
    QWidget* about = Window();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), mainWindow);
    EXPECT_EQ(QApplication::activeModalWidget(), about);
    EXPECT_TRUE(mainWindow->isVisible());
    Key(Qt::Key_Return);
  });
  m_script.Then([&] {
    EXPECT_EQ(m_dialog.aboutResult, IDOK);
    EXPECT_EQ(Window(), mainWindow);
    EXPECT_EQ(QApplication::activeModalWidget(), mainWindow);
    Window()->close();
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(m_script.Finished());
}

TEST_F(DialogInputTest, WaitCursorWhileTheCoreWorks) {
  m_script.Then([this] {
    {
      CWaitCursor wait;
      ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Window()->close();
  });
  m_script.Start();
  EXPECT_EQ(m_dialog.DoModal(), IDCANCEL);
}

}  // namespace
