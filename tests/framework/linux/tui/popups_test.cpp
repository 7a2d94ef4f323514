// Message boxes and the system menu: their buttons and entries, the keys that
// answer or choose, and how they are drawn.
#include <gtest/gtest.h>

#include "framework/linux/resources.h"
#include "framework/linux/tui/message_box_popup.h"
#include "framework/linux/tui/screen_state.h"
#include "framework/linux/tui/system_menu_popup.h"
#include "res/resource_tables.h"
#include "tests/framework/linux/tui/screen_text.h"
#include "tests/framework/linux/tui/template_windows.h"

namespace framework::tui {
namespace {

TEST(MessageBoxKeys, AYesNoBoxAnswersWithItsButtonsOnly) {
  MessageBoxPopup box("Save settings before quit?", "", MB_YESNO);
  ASSERT_EQ(box.Buttons().size(), 2u);
  EXPECT_EQ(box.OnKey(Key::Escape, 0), std::nullopt);  // no Cancel to give
  EXPECT_EQ(box.OnKey(Key::Enter, 0), IDYES);
  EXPECT_EQ(box.OnKey(Key::Tab, 0), std::nullopt);
  EXPECT_EQ(box.Focused(), 1);
  EXPECT_EQ(box.OnKey(Key::Space, 0), IDNO);
  EXPECT_EQ(box.OnKey(Key::Right, 0), std::nullopt);  // wraps around to Yes
  EXPECT_EQ(box.OnKey(Key::Enter, 0), IDYES);
  EXPECT_EQ(box.OnKey(Key::Left, 0), std::nullopt);
  EXPECT_EQ(box.OnKey(Key::Enter, 0), IDNO);
}

TEST(MessageBoxKeys, LettersPressTheirButtons) {
  MessageBoxPopup box("Save settings before quit?", "", MB_YESNO);
  EXPECT_EQ(box.OnKey(Key::Character, U'n'), IDNO);
  EXPECT_EQ(box.OnKey(Key::Character, U'Y'), IDYES);
  EXPECT_EQ(box.OnKey(Key::Character, U'q'), std::nullopt);
}

TEST(MessageBoxKeys, EscapeAnswersAnOkBoxAndCancelWhereThereIsOne) {
  MessageBoxPopup ok("Read TAVRIN setting error!", "", MB_OK);
  EXPECT_EQ(ok.OnKey(Key::Escape, 0), IDOK);
  MessageBoxPopup three("?", "", MB_YESNOCANCEL);
  EXPECT_EQ(three.OnKey(Key::Escape, 0), IDCANCEL);
}

TEST(MessageBoxKeys, ClicksPressTheButtonClicked) {
  const MessageBoxPopup box("?", "", MB_YESNO);
  EXPECT_EQ(box.OnClick(1), IDNO);
  EXPECT_EQ(box.OnClick(2), std::nullopt);
  EXPECT_EQ(box.OnClick(-1), std::nullopt);
}

std::vector<std::string> LabelsOf(const MessageBoxPopup& box) {
  std::vector<std::string> labels;
  for (const MessageBoxPopup::Button& button : box.Buttons()) labels.push_back(button.label);
  return labels;
}

class MessageBoxWords : public ::testing::Test {
 protected:
  void SetUp() override { framework::UseModule(res::ProgramModule()); }
  void TearDown() override {
    framework::UseModule(res::ProgramModule());
    framework::SetResourceLanguage(1033);
  }
};

// The buttons speak the language of the string table, with the keys their
// words mark; English where the program's module has no words for it.
TEST_F(MessageBoxWords, InTheLanguageOfTheStringTable) {
  framework::SetResourceLanguage(1049);
  MessageBoxPopup russian("?", "", MB_YESNO);
  EXPECT_EQ(LabelsOf(russian), (std::vector<std::string>{"Да", "Нет"}));
  EXPECT_EQ(russian.OnKey(Key::Character, U'y'), std::nullopt);
  EXPECT_EQ(russian.OnKey(Key::Character, U'н'), IDNO);
  EXPECT_EQ(russian.OnKey(Key::Character, U'Д'), IDYES);

  framework::SetResourceLanguage(1041);
  MessageBoxPopup japanese("?", "", MB_YESNO);
  EXPECT_EQ(LabelsOf(japanese), (std::vector<std::string>{"はい(Y)", "いいえ(N)"}));
  EXPECT_EQ(japanese.OnKey(Key::Character, U'Y'), IDYES);
  Canvas canvas(40, 10);
  std::vector<HitArea> hits;
  japanese.Paint(canvas, hits);
  const int row = RowOf(canvas, "[ はい(Y) ]");
  ASSERT_GE(row, 0);
  const int yes = ColumnOf(canvas, row, "[ はい(Y) ]");
  EXPECT_TRUE(canvas.At(row, yes + 7).underline);  // Y, after "[ ", two wide glyphs and "("

  framework::SetResourceLanguage(4100);  // Singapore: the Simplified words
  EXPECT_EQ(LabelsOf(MessageBoxPopup("?", "", MB_OK)), (std::vector<std::string>{"确定"}));
  framework::SetResourceLanguage(1033);
  EXPECT_EQ(LabelsOf(MessageBoxPopup("?", "", MB_YESNOCANCEL)), (std::vector<std::string>{"Yes", "No", "Cancel"}));
  framework::UseModule({});
  framework::SetResourceLanguage(1049);
  EXPECT_EQ(LabelsOf(MessageBoxPopup("?", "", MB_OK)), (std::vector<std::string>{"OK"}));
}

TEST(MessageBoxDrawing, CentredWithItsTextAndButtons) {
  const MessageBoxPopup box("Save settings before quit?", "", MB_YESNO);
  Canvas canvas(80, 24);
  std::vector<HitArea> hits;
  box.Paint(canvas, hits);
  // 26 cells of text and a blank and the frame each side: 30 x 6 at (25, 9).
  EXPECT_EQ(CellsText(canvas, 9, 25, 30), "╔════════════════════════════╗");
  EXPECT_EQ(ColumnOf(canvas, 11, "Save settings before quit?"), 27);
  const int yes = ColumnOf(canvas, 13, "[ Yes ]");
  const int no = ColumnOf(canvas, 13, "[ No ]");
  EXPECT_EQ(yes, 25 + (30 - 15) / 2);
  EXPECT_EQ(no, yes + 9);
  EXPECT_EQ(canvas.At(13, yes).tone, Tone::Highlight);
  EXPECT_EQ(canvas.At(13, no).tone, Tone::Plain);
  EXPECT_TRUE(canvas.At(13, yes + 2).underline);  // Y
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_TRUE(hits[1].area.Contains(13, no + 3));
  EXPECT_EQ(hits[1].index, 1);
  MessageBoxPopup second = box;
  second.OnKey(Key::Tab, 0);
  EXPECT_EQ(box.Paint(canvas, hits), (CellPoint{13, yes + 2})) << "the cursor on the focused button's label";
  EXPECT_EQ(second.Paint(canvas, hits), (CellPoint{13, no + 2}));
}

TEST(MessageBoxDrawing, ALongTextWrapsAndItsLineFeedsBreakLines) {
  const std::string text = "COMポート、ドライバータイプと初期スキャンボーレートを設定してください\n";
  const MessageBoxPopup box(text, "", MB_OK);
  Canvas canvas(80, 24);
  std::vector<HitArea> hits;
  box.Paint(canvas, hits);
  // 69 cells wrap at 64; the line feed ends in an empty line.
  const int first = RowOf(canvas, "COMポート");
  ASSERT_GE(first, 0);
  EXPECT_NE(canvas.RowText(first + 1).find("ださい"), std::string::npos);
  EXPECT_EQ(RowOf(canvas, "[ OK ]"), first + 4);
}

TEST(MessageBoxDrawing, ANarrowTerminalWrapsTheTextToItsWidth) {
  const MessageBoxPopup box("Please install TAVRIN and start the driver!", "", MB_OK);
  Canvas canvas(24, 12);
  std::vector<HitArea> hits;
  box.Paint(canvas, hits);
  // 20 cells of text in a box as wide as the terminal, three lines from row 4.
  EXPECT_EQ(RowOf(canvas, "║ Please install       ║"), 4);
  EXPECT_EQ(RowOf(canvas, "║ TAVRIN and start the ║"), 5);
  EXPECT_EQ(RowOf(canvas, "║ driver!"), 6);
  EXPECT_EQ(box.MinimumScreen(), (CellSize{10, 6}));
}

class SystemMenu : public ::testing::Test {
 protected:
  SystemMenu() { main.Dialog()->Dialog().systemMenu = {{MF_SEPARATOR, 0, ""}, {MF_STRING, 16, "?? TAVRIN(&A)..."}}; }
  SystemMenuPopup Open() { return SystemMenuPopup(main.Dialog(), SystemMenuEntries(*main.Dialog())); }

  TemplateWindows main{102};
};

TEST_F(SystemMenu, ThePlatformsCloseComesFirstThenTheProgramsItems) {
  const std::vector<MenuEntry> entries = SystemMenuEntries(*main.Dialog());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].command, static_cast<UINT>(SC_CLOSE));
  EXPECT_TRUE(entries[1].separator);
  EXPECT_EQ(entries[2].command, 16u);
  EXPECT_EQ(entries[2].label.text, "?? TAVRIN(A)...");
}

TEST_F(SystemMenu, ArrowsSkipSeparatorsAndWrap) {
  SystemMenuPopup menu = Open();
  EXPECT_EQ(menu.Highlighted(), 0);
  menu.OnKey(Key::Down, 0);
  EXPECT_EQ(menu.Highlighted(), 2);
  menu.OnKey(Key::Down, 0);
  EXPECT_EQ(menu.Highlighted(), 0);
  menu.OnKey(Key::Up, 0);
  EXPECT_EQ(menu.Highlighted(), 2);
  menu.OnKey(Key::Home, 0);
  EXPECT_EQ(menu.Highlighted(), 0);
  menu.OnKey(Key::End, 0);
  const SystemMenuPopup::Outcome chosen = menu.OnKey(Key::Enter, 0);
  EXPECT_TRUE(chosen.close);
  EXPECT_EQ(chosen.command, 16u);
}

TEST_F(SystemMenu, MnemonicsChooseAndEscapeLeaves) {
  SystemMenuPopup menu = Open();
  EXPECT_EQ(menu.OnKey(Key::Character, U'A').command, 16u);
  EXPECT_EQ(menu.OnKey(Key::Character, U'c').command, static_cast<UINT>(SC_CLOSE));
  EXPECT_FALSE(menu.OnKey(Key::Character, U'z').close);
  const SystemMenuPopup::Outcome left = menu.OnKey(Key::Escape, 0);
  EXPECT_TRUE(left.close);
  EXPECT_FALSE(left.command.has_value());
}

TEST_F(SystemMenu, GrayedItemsAndSeparatorsCannotBeChosen) {
  main.Dialog()->Dialog().systemMenu[1].flags = MF_STRING | MF_GRAYED;
  SystemMenuPopup menu = Open();
  menu.OnKey(Key::Down, 0);
  EXPECT_EQ(menu.Highlighted(), 0);
  EXPECT_FALSE(menu.OnClick(1).close);
  EXPECT_FALSE(menu.OnClick(2).command.has_value());
  EXPECT_FALSE(menu.OnKey(Key::Character, U'a').command.has_value());
  EXPECT_TRUE(menu.OnClick(-1).close);
}

TEST_F(SystemMenu, DrawnUnderTheCaptionWithASeparatorAndTheMnemonicUnderlined) {
  const SystemMenuPopup menu = Open();
  Canvas canvas(104, 31);
  std::vector<HitArea> hits;
  const CellRect place = menu.Place({0, 0, 104, 31}, canvas.Size());
  EXPECT_EQ(place, (CellRect{0, 1, 19, 5}));
  EXPECT_EQ(menu.Paint(canvas, place, hits), (CellPoint{2, 2})) << "the cursor on the chosen entry";
  EXPECT_EQ(CellsText(canvas, 2, 0, 8), "│ Close ");
  EXPECT_EQ(canvas.At(2, 2).tone, Tone::Highlight);
  EXPECT_EQ(CellsText(canvas, 3, 0, 19), "├─────────────────┤");
  EXPECT_EQ(CellsText(canvas, 4, 2, 15), "?? TAVRIN(A)...");
  EXPECT_TRUE(canvas.At(4, 12).underline);
  EXPECT_FALSE(canvas.At(4, 11).underline);
}

TEST_F(SystemMenu, StaysOnScreenNearTheRightEdge) {
  const SystemMenuPopup menu = Open();
  EXPECT_EQ(menu.Place({70, 28, 59, 8}, {80, 30}), (CellRect{61, 25, 19, 5}));
}

}  // namespace
}  // namespace framework::tui
