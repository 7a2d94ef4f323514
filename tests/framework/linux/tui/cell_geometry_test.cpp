// Dialog units to cells: the rounding rule, the dialog boxes of the program's
// templates, and that their controls land inside the frame without running
// into each other.
#include <gtest/gtest.h>

#include "framework/linux/tui/cell_geometry.h"
#include "res/resource_tables.h"

namespace framework::tui {
namespace {

TEST(CellRounding, EdgesGoToTheNearestCellWithHalvesRoundingUp) {
  EXPECT_EQ(ColumnOfDialogX(0), 0);
  EXPECT_EQ(ColumnOfDialogX(1), 0);
  EXPECT_EQ(ColumnOfDialogX(2), 1);  // half a cell
  EXPECT_EQ(ColumnOfDialogX(5), 1);
  EXPECT_EQ(ColumnOfDialogX(6), 2);
  EXPECT_EQ(RowOfDialogY(3), 0);
  EXPECT_EQ(RowOfDialogY(4), 1);  // half a cell
  EXPECT_EQ(RowOfDialogY(11), 1);
  EXPECT_EQ(RowOfDialogY(12), 2);
}

TEST(CellRounding, NegativeCoordinatesRoundTheSameWay) {
  EXPECT_EQ(ColumnOfDialogX(-2), 0);
  EXPECT_EQ(ColumnOfDialogX(-3), -1);
  EXPECT_EQ(RowOfDialogY(-4), 0);
  EXPECT_EQ(RowOfDialogY(-5), -1);
}

TEST(CellRounding, AControlIsNeverLessThanOneCell) {
  EXPECT_EQ(CellsOfDialogRect({10, 10, 10, 10}), (CellRect{3, 1, 1, 1}));
  EXPECT_EQ(CellsOfDialogRect({4, 8, 5, 9}), (CellRect{1, 1, 1, 1}));
}

TEST(CellRounding, SharedEdgesStayShared) {
  // Two rectangles that meet at x = 102 meet in cells, whatever the rounding.
  const CellRect left = CellsOfDialogRect({13, 0, 102, 8});
  const CellRect right = CellsOfDialogRect({102, 0, 200, 8});
  EXPECT_EQ(left.Right(), right.left);
}

TEST(DialogBoxes, TheMainDialogIs104By31AndTheAboutBox59By8) {
  EXPECT_EQ(DialogBoxSize({0, 0, 417, 243}), (CellSize{104, 31}));
  EXPECT_EQ(DialogBoxSize({0, 0, 235, 55}), (CellSize{59, 8}));
  EXPECT_EQ(DialogBoxSize(RECT{10, 20, 427, 263}), (CellSize{104, 31}));  // only the size counts
}

TEST(DialogBoxes, CentredOnTheScreenAndNeverOffItsTopLeft) {
  EXPECT_EQ(CentredBox({104, 31}, {120, 40}), (CellRect{8, 4, 104, 31}));
  EXPECT_EQ(CentredBox({104, 31}, {80, 24}), (CellRect{0, 0, 104, 31}));
}

// The cells a control shows in: a combo's rectangle includes its dropped-down
// list, which shows only when it is open.
CellRect ShownCells(const res::ControlTemplate& control) {
  CellRect cells = CellsOfDialogRect({control.x, control.y, control.x + control.cx, control.y + control.cy});
  if (std::string_view(control.className) == "COMBOBOX") cells.height = 1;
  return cells;
}

bool Visible(const res::ControlTemplate& control) { return (control.style & WS_VISIBLE) != 0; }

class TemplateLayout : public ::testing::TestWithParam<int> {};

TEST_P(TemplateLayout, EveryVisibleControlLiesInsideTheFrame) {
  const res::DialogTemplate* dialog = res::FindDialog(GetParam());
  ASSERT_NE(dialog, nullptr);
  const CellSize box = DialogBoxSize({0, 0, dialog->cx, dialog->cy});
  // Client rows start under the caption row; the frame takes the outermost
  // columns and the last client row.
  const CellRect interior{1, 0, box.width - 2, box.height - 2};
  for (const res::ControlTemplate& control : dialog->controls) {
    if (!Visible(control)) continue;
    const CellRect cells = ShownCells(control);
    EXPECT_EQ(Intersect(cells, interior), cells) << "control " << control.id << " at " << control.x << "," << control.y;
  }
}

TEST_P(TemplateLayout, NoTwoVisibleControlsShareACellExceptWithTheGroupBox) {
  const res::DialogTemplate* dialog = res::FindDialog(GetParam());
  ASSERT_NE(dialog, nullptr);
  const auto& controls = dialog->controls;
  for (std::size_t a = 0; a < controls.size(); ++a) {
    for (std::size_t b = a + 1; b < controls.size(); ++b) {
      if (!Visible(controls[a]) || !Visible(controls[b]) || controls[a].id == 1029 || controls[b].id == 1029) continue;
      EXPECT_TRUE(Intersect(ShownCells(controls[a]), ShownCells(controls[b])).IsEmpty())
          << "controls " << controls[a].id << " and " << controls[b].id << " overlap";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(CellsOfTemplates, TemplateLayout, ::testing::Values(102, 100));

TEST(MainDialogLayout, TheWatchListSharesTheGroupBoxRightEdge) {
  const res::DialogTemplate* dialog = res::FindDialog(102);
  ASSERT_NE(dialog, nullptr);
  CellRect group, watchList;
  for (const res::ControlTemplate& control : dialog->controls) {
    if (control.id == 1029) group = ShownCells(control);
    if (control.id == 1008) watchList = ShownCells(control);
  }
  EXPECT_EQ(group, (CellRect{2, 1, 101, 25}));
  EXPECT_EQ(watchList, (CellRect{58, 5, 45, 19}));
  EXPECT_EQ(watchList.Right(), group.Right());
}

}  // namespace
}  // namespace framework::tui
