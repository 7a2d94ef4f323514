// The main dialog and the about box as the terminal shows them: frame and
// caption, group box, labels, lists, combos and buttons where the templates
// put them, the focus, texts cut at their control's edge, wide characters,
// and a terminal too small for the dialog.
#include <gtest/gtest.h>

#include "framework/linux/resources.h"
#include "framework/linux/tui/screen_painter.h"
#include "tests/framework/linux/tui/screen_text.h"
#include "tests/framework/linux/tui/template_windows.h"

namespace framework::tui {
namespace {

// Screen rows and columns of the main dialog in a 104 x 31 terminal, where
// its box starts at the top left: client row r is screen row r + 1.
constexpr int kLabelRow = 4;
constexpr int kListTopRow = 6;
constexpr int kFirstLineRow = 7;
constexpr int kBottomButtonRow = 28;
constexpr int kWatchListRightColumn = 101;  // a cell inside the group box's frame

class MainDialogPainting : public ::testing::Test {
 protected:
  MainDialogPainting() {
    SetEnglishTexts(main.Dialog());
    state.dialogs.push_back(main.Dialog());
  }

  const Canvas& Paint(CellSize screen = {104, 31}) {
    painted.emplace(PaintScreen(state, nullptr, screen));
    return painted->canvas;
  }
  HWND Control(int id) const { return main.Control(id); }
  static void Fill(HWND list, int count) {
    for (int k = 1; k <= count; ++k) list->List().items.push_back("COM" + std::to_string(k));
  }

  TemplateWindows main{102};
  ScreenState state;
  std::optional<PaintedScreen> painted;
};

TEST_F(MainDialogPainting, FillsA104By31TerminalWithTheCaptionOnTheTopBorder) {
  const Canvas& canvas = Paint();
  EXPECT_EQ(CellsText(canvas, 0, 0, 4), "╔[-]");
  EXPECT_EQ(CellsText(canvas, 0, 100, 4), "[x]╗");
  EXPECT_EQ(ColumnOf(canvas, 0, " TAVRIN "), 5);
  EXPECT_EQ(CellsText(canvas, 30, 0, 1), "╚");
  EXPECT_EQ(CellsText(canvas, 30, 103, 1), "╝");
  for (int row = 1; row < 30; ++row) {
    EXPECT_EQ(CellsText(canvas, row, 0, 1), "║") << row;
    EXPECT_EQ(CellsText(canvas, row, 103, 1), "║") << row;
  }
}

TEST_F(MainDialogPainting, GroupBoxTitleIsCentredOnItsTopBorder) {
  const Canvas& canvas = Paint();
  const int column = ColumnOf(canvas, 2, " TAVRIN settings ");
  ASSERT_GT(column, 0);
  // The group box spans columns 2 to 102; its border between the corners 3 to 101.
  const int before = column - 3;
  const int after = 101 - (column + 17 - 1);
  EXPECT_LE(std::abs(before - after), 1);
  EXPECT_EQ(CellsText(canvas, 2, 2, 1), "┌");
  EXPECT_EQ(CellsText(canvas, 2, 102, 1), "┐");
}

TEST_F(MainDialogPainting, LabelsAreCentredInTheirCells) {
  const Canvas& canvas = Paint();
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "Available COM list"), 3 + (21 - 18) / 2);
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "Driver type"), 27 + (28 - 11) / 2);
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "TAVRIN watch list"), 58 + (45 - 17) / 2);
}

TEST_F(MainDialogPainting, ButtonsShowTheirTextInBrackets) {
  const Canvas& canvas = Paint();
  EXPECT_EQ(RowOf(canvas, "[ >> Add to list >> ]"), 19);
  EXPECT_EQ(RowOf(canvas, "[ << Remove from list << ]"), 23);
  EXPECT_EQ(ColumnOf(canvas, kBottomButtonRow, "[ Apply settings ]"), 16 + (25 - 18) / 2);
  EXPECT_EQ(ColumnOf(canvas, kBottomButtonRow, "[ Quit ]"), 44 + (25 - 8) / 2);
}

TEST_F(MainDialogPainting, TheHiddenRestartButtonIsNeverDrawnNorClickable) {
  const Canvas& canvas = Paint();
  EXPECT_EQ(RowOf(canvas, "Restart"), -1);
  for (int row = 27; row < 30; ++row) EXPECT_EQ(CellsText(canvas, row, 78, 25), std::string(25, ' ')) << row;
  for (const HitArea& hit : state.hits) EXPECT_NE(hit.window, Control(1021));
}

TEST_F(MainDialogPainting, TheFocusedControlIsHighlighted) {
  main.Dialog()->Dialog().focus = Control(IDOK);
  const Canvas& canvas = Paint();
  const int quit = ColumnOf(canvas, kBottomButtonRow, "[ Quit ]");
  const int apply = ColumnOf(canvas, kBottomButtonRow, "[ Apply settings ]");
  EXPECT_EQ(canvas.At(kBottomButtonRow, quit).tone, Tone::Highlight);
  EXPECT_EQ(canvas.At(kBottomButtonRow, apply).tone, Tone::Plain);

  main.Dialog()->Dialog().focus = Control(1006);
  const Canvas& comboFocused = Paint();
  EXPECT_EQ(comboFocused.At(kListTopRow, 27).tone, Tone::Highlight);
  EXPECT_EQ(comboFocused.At(kBottomButtonRow, quit).tone, Tone::Plain);

  main.Dialog()->Dialog().focus = Control(1017);
  const Canvas& listFocused = Paint();
  EXPECT_EQ(listFocused.At(kListTopRow, 4).tone, Tone::Strong);
  EXPECT_EQ(listFocused.At(kListTopRow, 58).tone, Tone::Plain);
}

TEST_F(MainDialogPainting, NoFocusShowsWhileAMessageBoxIsOpen) {
  main.Dialog()->Dialog().focus = Control(IDOK);
  const MessageBoxPopup box("Save settings before quit?", "", MB_YESNO);
  const PaintedScreen screen = PaintScreen(state, &box, {104, 31});
  const int quit = ColumnOf(screen.canvas, kBottomButtonRow, "[ Quit ]");
  ASSERT_GE(quit, 0);
  EXPECT_EQ(screen.canvas.At(kBottomButtonRow, quit).tone, Tone::Plain);
}

TEST_F(MainDialogPainting, DisabledControlsAreDimmed) {
  Control(1018)->enabled = false;
  const Canvas& canvas = Paint();
  EXPECT_EQ(canvas.At(kBottomButtonRow, ColumnOf(canvas, kBottomButtonRow, "[ Apply settings ]")).tone, Tone::Disabled);
}

TEST_F(MainDialogPainting, AListScrollsToItsSelectionAndShowsAScrollBar) {
  HWND ports = Control(1017);
  Fill(ports, 30);
  ports->List().selection = 25;
  main.Dialog()->Dialog().focus = ports;
  const Canvas& canvas = Paint();
  // 17 lines show; the selection is the last of them.
  EXPECT_EQ(CellsText(canvas, kFirstLineRow, 5, 5), "COM10");
  EXPECT_EQ(CellsText(canvas, kFirstLineRow + 16, 5, 5), "COM26");
  EXPECT_EQ(canvas.At(kFirstLineRow + 16, 5).tone, Tone::Highlight);
  EXPECT_EQ(canvas.At(kFirstLineRow + 16, 21).tone, Tone::Highlight);  // the whole line
  EXPECT_EQ(CellsText(canvas, kFirstLineRow, 22, 1), "▲");
  EXPECT_EQ(CellsText(canvas, kFirstLineRow + 16, 22, 1), "▼");
  int thumbs = 0;
  for (int row = kFirstLineRow + 1; row < kFirstLineRow + 16; ++row) thumbs += CellsText(canvas, row, 22, 1) == "█";
  EXPECT_EQ(thumbs, 1);
}

TEST_F(MainDialogPainting, TheSelectionOfAListWithoutTheFocusShowsApart) {
  HWND watch = Control(1008);
  watch->List().items = {"COM1-HID_Touch_Digitizer-9600-PnP "};
  watch->List().selection = 0;
  main.Dialog()->Dialog().focus = Control(1017);
  const Canvas& canvas = Paint();
  EXPECT_EQ(canvas.At(kFirstLineRow, 59).tone, Tone::Selected);
}

TEST_F(MainDialogPainting, TheListFramesStayInsideTheGroupBox) {
  const Canvas& canvas = Paint();
  // The template puts the list's right edge on the group box's; the list's
  // frame stays inside, then the group box's, then the dialog's.
  EXPECT_EQ(CellsText(canvas, kFirstLineRow + 1, kWatchListRightColumn, 3), "││║");
  EXPECT_EQ(CellsText(canvas, kListTopRow, kWatchListRightColumn, 2), "┐│");
  EXPECT_EQ(CellsText(canvas, kListTopRow + 18, kWatchListRightColumn, 2), "┘│");
}

TEST_F(MainDialogPainting, TheLongestEntryWidensTheDialogToShowWhole) {
  // 47 cells (the blank at the end shows nothing) in a list that shows 42.
  Control(1008)->List().items = {"COM225-Traditional_Touch_Screen-Auto_Scan-NoPnP ",
                                 "COM3-HID_Touch_Digitizer-9600-PnP "};
  EXPECT_EQ(NeededScreen(state, nullptr), (CellSize{109, 31}));
  const Canvas& canvas = Paint({109, 31});
  EXPECT_EQ(CellsText(canvas, kFirstLineRow, 59, 50), "COM225-Traditional_Touch_Screen-Auto_Scan-NoPnP▲│║");
  EXPECT_EQ(CellsText(canvas, kListTopRow, 106, 3), "┐│║");
  EXPECT_EQ(CellsText(canvas, 0, 105, 4), "[x]╗");
  // What stands left of the list keeps its place.
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "Driver type"), 27 + (28 - 11) / 2);
}

TEST_F(MainDialogPainting, CombosShowAsFieldsInBracketsEmptyOrNot) {
  HWND driverType = Control(1006);
  const Canvas& empty = Paint();
  EXPECT_EQ(CellsText(empty, kListTopRow, 27, 28), "[                         ▼]");
  EXPECT_EQ(CellsText(empty, 10, 27, 28), "[                         ▼]");
  EXPECT_EQ(CellsText(empty, 15, 27, 28), "[                         ▼]");
  driverType->Combo().editText = "Traditional_Touch_Screen_and_more";
  EXPECT_EQ(CellsText(Paint(), kListTopRow, 27, 28), "[Traditional_Touch_Screen ▼]");
  driverType->Combo().droppedDown = true;
  EXPECT_EQ(CellsText(Paint(), kListTopRow, 27, 28), "[Traditional_Touch_Screen ▲]");
}

TEST_F(MainDialogPainting, ALongLabelIsCutAtItsEdgeAndLeavesItsNeighbourAlone) {
  Control(1024)->text = "Liste der verfügbaren COM-Schnittstellen";
  Control(1025)->text = "Treiber-Typ";
  const Canvas& canvas = Paint();
  EXPECT_EQ(CellsText(canvas, kLabelRow, 3, 21), "Liste der verfügbaren");
  EXPECT_EQ(CellsText(canvas, kLabelRow, 24, 3), "   ");
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "Treiber-Typ"), 27 + (28 - 11) / 2);
}

TEST_F(MainDialogPainting, AWideCharacterAtTheEdgeIsLeftOutWhole) {
  Control(1024)->text = "ab系統串列埠系統串列埠系統";  // 2 + 24 cells in 21
  const Canvas& canvas = Paint();
  EXPECT_EQ(CellsText(canvas, kLabelRow, 3, 20), "ab系統串列埠系統串列");
  EXPECT_EQ(canvas.At(kLabelRow, 23).glyph, " ");
}

TEST_F(MainDialogPainting, TheTemplatesChineseTextsLineUp) {
  TemplateWindows chinese(102);
  state.dialogs = {chinese.Dialog()};
  const Canvas& canvas = Paint();
  // 安裝驅動程式類型 is 8 characters, 16 cells, centred in 28.
  EXPECT_EQ(ColumnOf(canvas, kLabelRow, "安裝驅動程式類型"), 27 + (28 - 16) / 2);
  EXPECT_EQ(canvas.At(kLabelRow, 33).glyph, "安");
  EXPECT_EQ(canvas.At(kLabelRow, 34).glyph, "");
  EXPECT_EQ(RowOf(canvas, "[ >> 加入監控清單 >> ]"), 19);
  EXPECT_EQ(ColumnOf(canvas, 2, " TAVRIN 設定 "), 3 + (99 - 13) / 2);
}

// Where the terminal's cursor stands, for a screen reader or braille display
// that follows it: in the control with the focus.
TEST_F(MainDialogPainting, TheCursorStandsOnTheControlWithTheFocus) {
  const auto caretWithFocusOn = [this](HWND control) {
    main.Dialog()->Dialog().focus = control;
    Paint();
    return painted->caret;
  };
  HWND baud = Control(1022);
  baud->Combo().editText = "9600";
  baud->Combo().selectionStart = baud->Combo().selectionEnd = 4;
  EXPECT_EQ(caretWithFocusOn(baud), (CellPoint{10, 27 + 1 + 4})) << "after the text of an edit field: [9600";
  baud->Combo().selectionStart = baud->Combo().selectionEnd = 1;
  EXPECT_EQ(caretWithFocusOn(baud), (CellPoint{10, 27 + 1 + 1})) << "at an edit field's text cursor: [9|600";
  EXPECT_EQ(caretWithFocusOn(Control(1006)), (CellPoint{kListTopRow, 27 + 1})) << "a drop-down list's field";
  EXPECT_EQ(caretWithFocusOn(Control(1007)), (CellPoint{19, ColumnOf(painted->canvas, 19, "[ >> Add") + 2}));
  HWND ports = Control(1017);
  EXPECT_EQ(caretWithFocusOn(ports), (CellPoint{kFirstLineRow, 5})) << "an empty list's first line";
  Fill(ports, 3);
  ports->List().selection = ports->List().caret = 1;
  EXPECT_EQ(caretWithFocusOn(ports), (CellPoint{kFirstLineRow + 1, 5})) << "a list's chosen line";
  ports->List().selection = -1;
  EXPECT_EQ(caretWithFocusOn(ports), (CellPoint{kFirstLineRow + 1, 5})) << "its caret line, also when not chosen";
  EXPECT_EQ(caretWithFocusOn(nullptr), std::nullopt);
}

TEST_F(MainDialogPainting, TheListWithTheFocusIsADoubleBoxWithOrWithoutAChosenLine) {
  main.Dialog()->Dialog().focus = Control(1017);
  EXPECT_EQ(CellsText(Paint(), kListTopRow, 4, 2), "╔═");
  EXPECT_EQ(CellsText(painted->canvas, kListTopRow, 58, 2), "┌─") << "the watch list has no focus";
  Fill(Control(1017), 2);
  Control(1017)->List().selection = 0;
  EXPECT_EQ(CellsText(Paint(), kListTopRow, 4, 2), "╔═");
  EXPECT_EQ(Paint().At(kFirstLineRow, 5).tone, Tone::Highlight);
}

TEST_F(MainDialogPainting, ADroppedDownComboShowsItsListOverTheControlsBelow) {
  HWND baud = Control(1022);
  baud->List().items = {"Auto_Scan", "1200", "2400", "4800", "9600", "19200", "38400", "57600"};
  baud->List().selection = baud->List().caret = 2;
  baud->Combo().editText = "2400";
  baud->Combo().droppedDown = true;
  const Canvas& canvas = Paint();
  // The field on row 10, the list's frame from row 11 with eight items.
  EXPECT_EQ(CellsText(canvas, 11, 27, 1), "┌");
  EXPECT_EQ(CellsText(canvas, 12, 28, 9), "Auto_Scan");
  EXPECT_EQ(CellsText(canvas, 19, 28, 5), "57600");
  EXPECT_EQ(canvas.At(14, 28).tone, Tone::Highlight);
  EXPECT_EQ(painted->caret, (CellPoint{14, 28})) << "the cursor on the chosen item";
  EXPECT_EQ(RowOf(canvas, "PnP polling"), -1);  // the label on row 13 lies under the list
  int items = 0;
  for (const HitArea& hit : state.hits) items += hit.what == HitArea::What::DroppedItem && hit.window == baud;
  EXPECT_EQ(items, 8);
}

TEST_F(MainDialogPainting, ATerminalTooSmallShowsOneLineWithTheSizeNeeded) {
  const Canvas& canvas = Paint({80, 24});
  EXPECT_NE(canvas.RowText(0).find("104 x 31"), std::string::npos);
  EXPECT_NE(canvas.RowText(0).find("80 x 24"), std::string::npos);
  for (int row = 1; row < 24; ++row) EXPECT_EQ(canvas.RowText(row), std::string(80, ' ')) << row;
  EXPECT_TRUE(state.hits.empty());

  EXPECT_NE(Paint({103, 31}).RowText(0).find("104 x 31"), std::string::npos);
  EXPECT_NE(Paint({104, 30}).RowText(0).find("104 x 31"), std::string::npos);
  EXPECT_EQ(Paint({104, 31}).RowText(0).find("104 x 31"), std::string::npos);
}

TEST_F(MainDialogPainting, TheBusyLineShowsOnTheBottomBorder) {
  state.busy = true;
  const Canvas& canvas = Paint();
  EXPECT_EQ(RowOf(canvas, "Working"), 30);
  EXPECT_EQ(canvas.At(30, ColumnOf(canvas, 30, " Working")).tone, Tone::Highlight);
  state.busy = false;
  EXPECT_EQ(RowOf(Paint(), "Working"), -1);
}

TEST(BusyLine, ShowsMidScreenBeforeAnyDialog) {
  ScreenState state;
  state.busy = true;
  const PaintedScreen screen = PaintScreen(state, nullptr, {80, 24});
  EXPECT_EQ(RowOf(screen.canvas, "Working"), 12);
}

TEST_F(MainDialogPainting, TheAboutBoxShowsOverTheMainDialogWithItsIconAndButton) {
  TemplateWindows about(100, main.Dialog());
  about.Dialog()->children.front()->Icon().icon = LoadResourceIcon(128);
  about.Dialog()->Dialog().focus = about.Control(IDOK);
  main.Dialog()->Dialog().focus = Control(IDOK);
  state.dialogs.push_back(about.Dialog());
  const Canvas& canvas = Paint();
  // 59 x 8 cells centred in 104 x 31: columns 22 to 80, rows 11 to 18.
  EXPECT_EQ(CellsText(canvas, 11, 22, 4), "╔[-]");
  EXPECT_EQ(ColumnOf(canvas, 11, " 關於 TAVRIN "), 27);
  EXPECT_EQ(ColumnOf(canvas, 13, "TAVRIN Utility Version 1.0"), 32);
  const int ok = ColumnOf(canvas, 13, "[ 確定 ]");
  EXPECT_EQ(ok, 22 + 45 + (12 - 8) / 2);
  EXPECT_EQ(canvas.At(13, ok).tone, Tone::Highlight);
  // The icon's stand-in: a framed mark in 5 x 3 cells.
  EXPECT_EQ(CellsText(canvas, 14, 25, 5), "┌───┐");
  EXPECT_EQ(CellsText(canvas, 15, 25, 5), "│ T │");
  // Only the dialog the person works in shows its focus.
  EXPECT_EQ(canvas.At(kBottomButtonRow, ColumnOf(canvas, kBottomButtonRow, "[ Quit ]")).tone, Tone::Plain);
}

TEST_F(MainDialogPainting, AnIconControlWhoseIconIsMissingShowsNothing) {
  TemplateWindows about(100, main.Dialog());
  ASSERT_EQ(about.Dialog()->children.front()->Icon().icon, nullptr);  // icon 129 is not in the resources
  state.dialogs = {about.Dialog()};
  const Canvas& canvas = Paint();
  EXPECT_EQ(CellsText(canvas, 14, 25, 5), "     ");
  EXPECT_EQ(CellsText(canvas, 15, 25, 5), "     ");
}

}  // namespace
}  // namespace framework::tui
