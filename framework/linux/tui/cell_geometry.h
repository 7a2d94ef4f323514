// Where a dialog and its controls fall in character cells. A dialog unit is a
// quarter of a cell across and an eighth of a cell down. Every edge falls on
// the nearest cell boundary, a half rounding up (to the right, downward), so
// edges that meet in a template meet in cells too.
#pragma once

#include "framework/linux/winuser.h"

namespace framework::tui {

struct CellRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }   // one past the last column
  int Bottom() const { return top + height; }  // one past the last row
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool Contains(int row, int column) const {
    return row >= top && row < Bottom() && column >= left && column < Right();
  }
  CellRect Inset(int cells) const { return {left + cells, top + cells, width - 2 * cells, height - 2 * cells}; }
  CellRect Offset(int rows, int columns) const { return {left + columns, top + rows, width, height}; }
  bool operator==(const CellRect&) const = default;
};

struct CellPoint {
  int row = 0;
  int column = 0;
  bool operator==(const CellPoint&) const = default;
};

struct CellSize {
  int width = 0;
  int height = 0;
  bool operator==(const CellSize&) const = default;
};

CellRect Intersect(const CellRect& a, const CellRect& b);

// The cell boundary nearest to a coordinate in dialog units.
int ColumnOfDialogX(int x);
int RowOfDialogY(int y);

// A rectangle in dialog units as cells of the client area. A control is never
// less than one cell wide and high, so a thin one still shows.
CellRect CellsOfDialogRect(const RECT& rect);

// The box a dialog takes on the screen: its client area in cells and one row
// above it for the caption bar. The frame lies on the client area's outermost
// cells, which templates keep as margin. 417 x 243 units make 104 x 31 cells.
CellSize DialogBoxSize(const RECT& dialogRect);

// Where the client area of a dialog whose box starts at `box` begins.
inline CellRect ClientOrigin(const CellRect& box) { return {box.left, box.top + 1, 0, 0}; }

// A box of `size` centred in a screen of `screen`; never left of or above 0.
CellRect CentredBox(CellSize size, CellSize screen);

}  // namespace framework::tui
