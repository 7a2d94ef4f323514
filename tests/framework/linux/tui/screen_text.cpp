#include "tests/framework/linux/tui/screen_text.h"

using framework::tui::Canvas;
using framework::tui::Cell;

std::string CellsText(const Canvas& canvas, int row, int column, int width) {
  std::string out;
  for (int k = column; k < column + width && k < canvas.Width(); ++k) {
    const Cell& cell = canvas.At(row, k);
    out += (cell.glyph == " " && cell.lines != 0) ? std::string(Canvas::LineGlyph(cell.lines, cell.doubleLines))
                                                  : cell.glyph;
  }
  return out;
}

int ColumnOf(const Canvas& canvas, int row, const std::string& text) {
  for (int column = 0; column < canvas.Width(); ++column) {
    if (CellsText(canvas, row, column, canvas.Width() - column).starts_with(text)) return column;
  }
  return -1;
}

int RowOf(const Canvas& canvas, const std::string& text) {
  for (int row = 0; row < canvas.Height(); ++row) {
    if (canvas.RowText(row).find(text) != std::string::npos) return row;
  }
  return -1;
}
