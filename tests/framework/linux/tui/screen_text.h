// Reading a painted canvas in tests: the text of a run of cells and where a
// text stands.
#pragma once

#include <string>

#include "framework/linux/tui/canvas.h"

// The glyphs of `width` cells from (row, column), frame lines as box-drawing
// characters, the right halves of wide glyphs skipped.
std::string CellsText(const framework::tui::Canvas& canvas, int row, int column, int width);

// The column where `text` starts on `row`, or -1.
int ColumnOf(const framework::tui::Canvas& canvas, int row, const std::string& text);

// The first row that holds `text`, or -1.
int RowOf(const framework::tui::Canvas& canvas, const std::string& text);
