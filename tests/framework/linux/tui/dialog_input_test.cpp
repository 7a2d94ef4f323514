// The person's keys and clicks in the terminal become the framework's input:
// the messages they queue and the control state they change.
#include <gtest/gtest.h>

#include "framework/linux/input.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/tui/dialog_input.h"
#include "framework/linux/tui/screen_painter.h"
#include "tests/framework/linux/tui/template_windows.h"

namespace framework::tui {
namespace {

class DialogInput : public ::testing::Test {
 protected:
  DialogInput() {
    DiscardPendingMessages();
    SetEnglishTexts(main.Dialog());
    state.dialogs.push_back(main.Dialog());
    main.Dialog()->Dialog().focus = Control(1017);
  }
  ~DialogInput() override { DiscardPendingMessages(); }

  HWND Control(int id) const { return main.Control(id); }
  void Repaint() { PaintScreen(state, nullptr, {104, 31}); }
  void Press(Key key, char32_t character = 0) { HandleDialogEvent(state, Top(), InputEvent::Press(key, character)); }
  void ClickAt(int row, int column) {
    Repaint();
    HandleDialogEvent(state, Top(), InputEvent::At(InputEvent::Kind::Click, row, column));
  }
  // Clicks the middle of the first area painted for `window` as `what`.
  void ClickOn(HWND window, HitArea::What what, int index = -1) {
    Repaint();
    for (const HitArea& hit : state.hits) {
      if (hit.window == window && hit.what == what && hit.index == index) {
        HandleDialogEvent(state, Top(),
                          InputEvent::At(InputEvent::Kind::Click, hit.area.top, hit.area.left + hit.area.width / 2));
        return;
      }
    }
    ADD_FAILURE() << "nothing of that kind painted";
  }
  HWND Top() const { return state.dialogs.back(); }

  std::vector<QueuedMessage> Taken() {
    std::vector<QueuedMessage> taken;
    QueuedMessage message;
    while (TakeFromQueue(message)) taken.push_back(message);
    return taken;
  }

  TemplateWindows main{102};
  ScreenState state;
};

::testing::AssertionResult IsMessage(const QueuedMessage& queued, HWND window, UINT message, WPARAM wParam) {
  if (queued.msg.hwnd == window && queued.msg.message == message && queued.msg.wParam == wParam) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "message 0x" << std::hex << queued.msg.message << " wParam 0x"
                                       << queued.msg.wParam;
}

WPARAM Command(int id, int code) { return MAKEWPARAM(id, code); }

TEST_F(DialogInput, TabShiftTabEnterEscapeAndArrowsGoToTheCoreAsKeys) {
  Press(Key::Tab);
  Press(Key::BackTab);
  Press(Key::Enter);
  Press(Key::Escape);
  Press(Key::Down);
  Press(Key::Home);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 6u);
  HWND ports = Control(1017);
  EXPECT_TRUE(IsMessage(taken[0], ports, WM_KEYDOWN, VK_TAB));
  EXPECT_FALSE(taken[0].shift);
  EXPECT_TRUE(IsMessage(taken[1], ports, WM_KEYDOWN, VK_TAB));
  EXPECT_TRUE(taken[1].shift);
  EXPECT_TRUE(IsMessage(taken[2], ports, WM_KEYDOWN, VK_RETURN));
  EXPECT_TRUE(IsMessage(taken[3], ports, WM_KEYDOWN, VK_ESCAPE));
  EXPECT_TRUE(IsMessage(taken[4], ports, WM_KEYDOWN, VK_DOWN));
  EXPECT_TRUE(IsMessage(taken[5], ports, WM_KEYDOWN, VK_HOME));
}

// What the keys do in a list, a combo or its edit field is the core's: the
// terminal sends them as the platform's keyboard does (Alt+arrows as system
// keys, characters typed as such), also where it once did their work itself.
TEST_F(DialogInput, ListAndComboKeysAndTypedCharactersGoToTheCore) {
  HWND baud = Control(1022);
  main.Dialog()->Dialog().focus = baud;
  const std::pair<Key, WPARAM> keys[] = {{Key::PageUp, VK_PRIOR}, {Key::PageDown, VK_NEXT}, {Key::End, VK_END},
                                         {Key::Left, VK_LEFT},    {Key::Right, VK_RIGHT},   {Key::Space, VK_SPACE},
                                         {Key::F4, VK_F4},        {Key::Backspace, VK_BACK}};
  for (const auto& [key, virtualKey] : keys) Press(key);
  Press(Key::AltDown);
  Press(Key::Character, U'設');
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), std::size(keys) + 2);
  for (std::size_t k = 0; k < std::size(keys); ++k) {
    EXPECT_TRUE(IsMessage(taken[k], baud, WM_KEYDOWN, keys[k].second)) << k;
  }
  EXPECT_TRUE(IsMessage(taken[std::size(keys)], baud, WM_SYSKEYDOWN, VK_DOWN));
  EXPECT_TRUE(IsMessage(taken[std::size(keys) + 1], baud, WM_CHAR, U'設'));
  EXPECT_EQ(baud->Combo().editText, "");  // nothing changed before the core takes them
}

TEST_F(DialogInput, SystemMenuKeysAndInterruptBecomeSystemCommands) {
  Press(Key::F10);
  Press(Key::AltSpace);
  Press(Key::AltF4);
  Press(Key::Interrupt);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 4u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_SYSCOMMAND, SC_KEYMENU));
  EXPECT_TRUE(IsMessage(taken[1], main.Dialog(), WM_SYSCOMMAND, SC_KEYMENU));
  EXPECT_TRUE(IsMessage(taken[2], main.Dialog(), WM_SYSCOMMAND, SC_CLOSE));
  EXPECT_TRUE(IsMessage(taken[3], main.Dialog(), WM_SYSCOMMAND, SC_CLOSE));
}

TEST_F(DialogInput, AClickOnAListLineSelectsItAndGivesTheListTheFocus) {
  HWND watch = Control(1008);
  watch->List().items = {"COM1-HID_Touch_Digitizer-9600-PnP ", "COM3-HID_Touch_Digitizer-9600-PnP "};
  ClickOn(watch, HitArea::What::ListLine, 1);
  EXPECT_EQ(watch->List().selection, 1);
  EXPECT_EQ(main.Dialog()->Dialog().focus, watch);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_COMMAND, Command(1008, LBN_SELCHANGE)));

  ClickOn(watch, HitArea::What::ListLine, 1);  // the chosen line again: no change to tell
  EXPECT_TRUE(Taken().empty());
}

TEST_F(DialogInput, AClickOnAButtonClicksItUnlessItIsDisabledOrHidden) {
  ClickOn(Control(IDOK), HitArea::What::Control);
  std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_COMMAND, Command(IDOK, BN_CLICKED)));

  Control(1018)->enabled = false;
  ClickOn(Control(1018), HitArea::What::Control);
  ClickAt(28, 90);  // where the hidden restart button would be
  EXPECT_TRUE(Taken().empty());
}

TEST_F(DialogInput, TheCaptionsMarksCloseAndOpenTheSystemMenu) {
  ClickAt(0, 101);
  ClickAt(0, 2);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_CLOSE, 0));
  EXPECT_TRUE(IsMessage(taken[1], main.Dialog(), WM_SYSCOMMAND, SC_KEYMENU));
}

TEST_F(DialogInput, AClickOnAComboOpensItsListAndAClickOnAnItemChoosesIt) {
  HWND pnp = Control(1023);
  pnp->List().items = {"Enable", "Disable"};
  ClickOn(pnp, HitArea::What::Control);
  EXPECT_TRUE(pnp->Combo().droppedDown);
  EXPECT_EQ(main.Dialog()->Dialog().focus, pnp);
  ClickOn(pnp, HitArea::What::DroppedItem, 1);
  EXPECT_FALSE(pnp->Combo().droppedDown);
  EXPECT_EQ(pnp->List().selection, 1);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_COMMAND, Command(1023, CBN_SELCHANGE)));
}

TEST_F(DialogInput, AClickOutsideAnOpenListOnlyClosesIt) {
  HWND pnp = Control(1023);
  pnp->List().items = {"Enable", "Disable"};
  ClickOn(pnp, HitArea::What::Control);
  ClickOn(Control(IDOK), HitArea::What::Control);
  EXPECT_FALSE(pnp->Combo().droppedDown);
  EXPECT_EQ(pnp->List().selection, -1);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(DialogInput, TheWheelAndTheArrowsOfTheScrollBarScrollWithoutChoosing) {
  HWND ports = Control(1017);
  for (int k = 1; k <= 40; ++k) ports->List().items.push_back("COM" + std::to_string(k));
  Repaint();
  HandleDialogEvent(state, Top(), InputEvent::At(InputEvent::Kind::WheelDown, 10, 10));
  EXPECT_EQ(state.listViews[ports].first, 3);
  ClickOn(ports, HitArea::What::ScrollDown);
  EXPECT_EQ(state.listViews[ports].first, 4);
  ClickOn(ports, HitArea::What::ScrollUp);
  EXPECT_EQ(state.listViews[ports].first, 3);
  EXPECT_EQ(ports->List().selection, -1);
  EXPECT_TRUE(Taken().empty());
}

TEST_F(DialogInput, TheSystemMenuTakesTheKeysWhileItIsOpen) {
  main.Dialog()->Dialog().systemMenu = {{MF_SEPARATOR, 0, ""}, {MF_STRING, 16, "?? TAVRIN(&A)..."}};
  state.menu.emplace(main.Dialog(), SystemMenuEntries(*main.Dialog()));
  Press(Key::Tab);  // not for the dialog while the menu is open
  Press(Key::Down);
  Press(Key::Enter);
  EXPECT_FALSE(state.menu.has_value());
  std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_SYSCOMMAND, 16));

  state.menu.emplace(main.Dialog(), SystemMenuEntries(*main.Dialog()));
  Press(Key::Escape);
  EXPECT_FALSE(state.menu.has_value());
  EXPECT_TRUE(Taken().empty());  // Escape only left the menu
}

TEST_F(DialogInput, AClickChoosesFromTheSystemMenuOrLeavesIt) {
  main.Dialog()->Dialog().systemMenu = {{MF_SEPARATOR, 0, ""}, {MF_STRING, 16, "?? TAVRIN(&A)..."}};
  state.menu.emplace(main.Dialog(), SystemMenuEntries(*main.Dialog()));
  ClickAt(4, 5);  // the about item, under Close and the separator
  std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], main.Dialog(), WM_SYSCOMMAND, 16));

  state.menu.emplace(main.Dialog(), SystemMenuEntries(*main.Dialog()));
  ClickAt(3, 5);  // the separator: the menu stays
  EXPECT_TRUE(state.menu.has_value());
  ClickAt(20, 50);  // outside
  EXPECT_FALSE(state.menu.has_value());
  EXPECT_TRUE(Taken().empty());
}

TEST_F(DialogInput, ClicksOnADialogUnderTheAboutBoxAreIgnored) {
  TemplateWindows about(100, main.Dialog());
  state.dialogs.push_back(about.Dialog());
  main.Dialog()->enabled = false;
  ClickOn(Control(IDOK), HitArea::What::Control);
  EXPECT_TRUE(Taken().empty());
  ClickOn(about.Control(IDOK), HitArea::What::Control);
  const std::vector<QueuedMessage> taken = Taken();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_TRUE(IsMessage(taken[0], about.Dialog(), WM_COMMAND, Command(IDOK, BN_CLICKED)));
}

}  // namespace
}  // namespace framework::tui
