#include "framework/linux/tui/canvas.h"

#include <algorithm>

#include "framework/linux/tui/text_cells.h"

namespace framework::tui {

namespace {

// A blank cell; glyphs are set with assign() (GCC 12 warns wrongly about
// assigning a short literal to a string at -O3).
Cell BlankCell(Tone tone) {
  Cell cell;
  cell.tone = tone;
  return cell;
}

void MakeBlank(std::string& glyph) { glyph.assign(1, ' '); }

}  // namespace

Canvas::Canvas(int width, int height)
    : m_width(std::max(0, width)),
      m_height(std::max(0, height)),
      m_cells(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height)),
      m_clip{0, 0, m_width, m_height} {}

const Cell& Canvas::At(int row, int column) const {
  return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(column)];
}

Cell& Canvas::Mutable(int row, int column) { return const_cast<Cell&>(At(row, column)); }

Canvas::Clip::Clip(Canvas& canvas, const CellRect& area) : m_canvas(canvas), m_previous(canvas.m_clip) {
  canvas.m_clip = Intersect(canvas.m_clip, area);
}

Canvas::Clip::~Clip() { m_canvas.m_clip = m_previous; }

void Canvas::Detach(int row, int column) {
  Cell& cell = Mutable(row, column);
  if (cell.glyph.empty() && column > 0) {
    MakeBlank(Mutable(row, column - 1).glyph);
  }
  if (column + 1 < m_width && At(row, column + 1).glyph.empty()) MakeBlank(Mutable(row, column + 1).glyph);
}

void Canvas::Clear(const CellRect& area, Tone tone) {
  const CellRect clipped = Intersect(area, m_clip);
  for (int row = clipped.top; row < clipped.Bottom(); ++row) {
    for (int column = clipped.left; column < clipped.Right(); ++column) {
      Detach(row, column);
      Mutable(row, column) = BlankCell(tone);
    }
  }
}

void Canvas::Shade(const CellRect& area, Tone tone) {
  const CellRect clipped = Intersect(area, m_clip);
  for (int row = clipped.top; row < clipped.Bottom(); ++row) {
    for (int column = clipped.left; column < clipped.Right(); ++column) Mutable(row, column).tone = tone;
  }
}

void Canvas::AddLines(int row, int column, std::uint8_t lines, Tone tone, LineStyle style) {
  if (!Visible(row, column)) return;
  Detach(row, column);
  Cell& cell = Mutable(row, column);
  if (cell.glyph != " ") cell.lines = 0;  // a glyph there is painted over
  MakeBlank(cell.glyph);
  cell.lines |= lines;
  cell.doubleLines = cell.doubleLines || style == LineStyle::Double;
  cell.underline = false;
  cell.tone = tone;
}

void Canvas::Frame(const CellRect& area, Tone tone, LineStyle style) {
  if (area.width < 2 || area.height < 2) return;
  const int right = area.Right() - 1;
  const int bottom = area.Bottom() - 1;
  AddLines(area.top, area.left, LineDown | LineRight, tone, style);
  AddLines(area.top, right, LineDown | LineLeft, tone, style);
  AddLines(bottom, area.left, LineUp | LineRight, tone, style);
  AddLines(bottom, right, LineUp | LineLeft, tone, style);
  for (int column = area.left + 1; column < right; ++column) {
    AddLines(area.top, column, LineLeft | LineRight, tone, style);
    AddLines(bottom, column, LineLeft | LineRight, tone, style);
  }
  for (int row = area.top + 1; row < bottom; ++row) {
    AddLines(row, area.left, LineUp | LineDown, tone, style);
    AddLines(row, right, LineUp | LineDown, tone, style);
  }
}

void Canvas::Rule(int row, int left, int right, Tone tone) {
  for (int column = left; column < right; ++column) {
    std::uint8_t lines = LineLeft | LineRight;
    if (column == left) lines = LineRight;
    if (column == right - 1) lines = LineLeft;
    AddLines(row, column, lines, tone, LineStyle::Single);
  }
}

int Canvas::Text(int row, int column, std::string_view text, int endColumn, Tone tone, int underlined) {
  const int end = std::min(endColumn, m_clip.Right());
  if (row < m_clip.top || row >= m_clip.Bottom()) return column;
  int index = 0;
  for (const Glyph& glyph : GlyphsOf(text)) {
    if (column + glyph.cells > end) break;
    for (int k = 0; k < glyph.cells; ++k) {
      if (Visible(row, column + k)) Detach(row, column + k);
    }
    if (column >= m_clip.left) {
      Cell& cell = Mutable(row, column);
      cell = Cell{glyph.text, 0, false, index == underlined, tone};
      if (glyph.cells == 2) Mutable(row, column + 1) = Cell{"", 0, false, index == underlined, tone};
    } else if (glyph.cells == 2 && Visible(row, column + 1)) {
      Mutable(row, column + 1) = BlankCell(tone);  // half a glyph left of the clip
    }
    column += glyph.cells;
    ++index;
  }
  return column;
}

void Canvas::Put(int row, int column, std::string_view glyph, Tone tone) {
  if (!Visible(row, column)) return;
  Detach(row, column);
  Mutable(row, column) = Cell{std::string(glyph), 0, false, false, tone};
}

std::string_view Canvas::LineGlyph(std::uint8_t lines, bool doubleLines) {
  // Indexed by the Line* bits: up 1, down 2, left 4, right 8.
  static constexpr std::string_view kSingle[16] = {" ", "│", "│", "│", "─", "┘", "┐", "┤",
                                                   "─", "└", "┌", "├", "─", "┴", "┬", "┼"};
  static constexpr std::string_view kDouble[16] = {" ", "║", "║", "║", "═", "╝", "╗", "╣",
                                                   "═", "╚", "╔", "╠", "═", "╩", "╦", "╬"};
  return (doubleLines ? kDouble : kSingle)[lines & 15];
}

std::string Canvas::RowText(int row) const {
  std::string out;
  for (int column = 0; column < m_width; ++column) {
    const Cell& cell = At(row, column);
    if (cell.glyph == " " && cell.lines != 0) {
      out += LineGlyph(cell.lines, cell.doubleLines);
    } else {
      out += cell.glyph;
    }
  }
  return out;
}

}  // namespace framework::tui
