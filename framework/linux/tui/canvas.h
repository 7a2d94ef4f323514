// A grid of character cells that a screen is painted into before it is shown:
// glyphs (wide ones take two cells), frame lines that join where they meet,
// and a tone per cell. The terminal shows it; tests read it as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/linux/tui/cell_geometry.h"

namespace framework::tui {

// How a cell stands out; the terminal turns each tone into its attributes.
enum class Tone : std::uint8_t {
  Plain,
  Strong,     // captions, the frame of the control with the focus
  Highlight,  // the focus, the chosen line, the busy line
  Selected,   // the chosen line of a list without the focus
  Field,      // the field of a combo box
  Disabled,
};

enum class LineStyle : std::uint8_t { Single, Double };

struct Cell {
  std::string glyph = " ";  // one character; empty in the right half of a wide glyph
  std::uint8_t lines = 0;   // frame lines through the cell: the Line* bits, shown when glyph is a blank
  bool doubleLines = false;
  bool underline = false;
  Tone tone = Tone::Plain;
};

class Canvas {
 public:
  Canvas(int width, int height);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const Cell& At(int row, int column) const;
  CellSize Size() const { return {m_width, m_height}; }

  // Drawing stays inside the clip (the whole canvas at first). A Clip object
  // narrows it for its lifetime.
  class Clip {
   public:
    Clip(Canvas& canvas, const CellRect& area);
    ~Clip();
    Clip(const Clip&) = delete;
    Clip& operator=(const Clip&) = delete;

   private:
    Canvas& m_canvas;
    CellRect m_previous;
  };

  // Blanks an area: no glyphs, no lines.
  void Clear(const CellRect& area, Tone tone = Tone::Plain);
  // Gives an area a tone, keeping what is drawn there.
  void Shade(const CellRect& area, Tone tone);
  // A frame along the edges of `area` (at least 2 x 2), joined to the lines
  // already there.
  void Frame(const CellRect& area, Tone tone, LineStyle style = LineStyle::Single);
  // A horizontal line across `area`'s row `row`, joined to the frame it meets.
  void Rule(int row, int left, int right, Tone tone);
  // Writes a one-line text from (row, column), never past `endColumn` nor the
  // clip; a wide glyph that would cross the edge is left out. The glyph with
  // index `underlined` is underlined. Returns the column after the last glyph.
  int Text(int row, int column, std::string_view text, int endColumn, Tone tone, int underlined = -1);
  // One glyph of one cell.
  void Put(int row, int column, std::string_view glyph, Tone tone);

  // One row as text, frame lines as box-drawing characters.
  std::string RowText(int row) const;

  static constexpr std::uint8_t LineUp = 1;
  static constexpr std::uint8_t LineDown = 2;
  static constexpr std::uint8_t LineLeft = 4;
  static constexpr std::uint8_t LineRight = 8;

  // The box-drawing character of a set of Line* bits (a blank for none).
  static std::string_view LineGlyph(std::uint8_t lines, bool doubleLines);

 private:
  bool Visible(int row, int column) const { return m_clip.Contains(row, column); }
  Cell& Mutable(int row, int column);
  // Makes (row, column) a plain one-cell spot, splitting a wide glyph that covers it.
  void Detach(int row, int column);
  void AddLines(int row, int column, std::uint8_t lines, Tone tone, LineStyle style);

  int m_width;
  int m_height;
  std::vector<Cell> m_cells;
  CellRect m_clip;
};

}  // namespace framework::tui
