#include "framework/linux/tui/cell_geometry.h"

#include <algorithm>

namespace framework::tui {
namespace {

// Division rounding toward minus infinity, so negative coordinates round alike.
int FloorDivide(int numerator, int denominator) {
  const int quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

constexpr int kUnitsPerColumn = 4;
constexpr int kUnitsPerRow = 8;

}  // namespace

CellRect Intersect(const CellRect& a, const CellRect& b) {
  const int left = std::max(a.left, b.left);
  const int top = std::max(a.top, b.top);
  const int right = std::min(a.Right(), b.Right());
  const int bottom = std::min(a.Bottom(), b.Bottom());
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

int ColumnOfDialogX(int x) { return FloorDivide(x + kUnitsPerColumn / 2, kUnitsPerColumn); }

int RowOfDialogY(int y) { return FloorDivide(y + kUnitsPerRow / 2, kUnitsPerRow); }

CellRect CellsOfDialogRect(const RECT& rect) {
  const int left = ColumnOfDialogX(rect.left);
  const int top = RowOfDialogY(rect.top);
  const int right = std::max(ColumnOfDialogX(rect.right), left + 1);
  const int bottom = std::max(RowOfDialogY(rect.bottom), top + 1);
  return {left, top, right - left, bottom - top};
}

CellSize DialogBoxSize(const RECT& dialogRect) {
  const CellRect client =
      CellsOfDialogRect({0, 0, dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top});
  return {client.width, client.height + 1};
}

CellRect CentredBox(CellSize size, CellSize screen) {
  return {std::max(0, (screen.width - size.width) / 2), std::max(0, (screen.height - size.height) / 2), size.width,
          size.height};
}

}  // namespace framework::tui
