// The canvas: frames that join, text that stays inside its edge and its clip,
// and wide glyphs that are never shown by halves.
#include <gtest/gtest.h>

#include "framework/linux/tui/canvas.h"

namespace framework::tui {
namespace {

TEST(CanvasFrames, AFrameHasCornersAndEdges) {
  Canvas canvas(4, 3);
  canvas.Frame({0, 0, 4, 3}, Tone::Plain);
  EXPECT_EQ(canvas.RowText(0), "┌──┐");
  EXPECT_EQ(canvas.RowText(1), "│  │");
  EXPECT_EQ(canvas.RowText(2), "└──┘");
}

TEST(CanvasFrames, FramesThatShareAnEdgeJoin) {
  // A list whose right edge lies on the right edge of a group box around it.
  Canvas canvas(8, 6);
  canvas.Frame({0, 0, 8, 6}, Tone::Plain);
  canvas.Frame({3, 1, 5, 3}, Tone::Plain);
  EXPECT_EQ(canvas.RowText(1), "│  ┌───┤");
  EXPECT_EQ(canvas.RowText(3), "│  └───┤");
  EXPECT_EQ(canvas.RowText(5), "└──────┘");
}

TEST(CanvasFrames, DoubleFramesAndRulesInsideFrames) {
  Canvas canvas(5, 4);
  canvas.Frame({0, 0, 5, 4}, Tone::Plain, LineStyle::Double);
  EXPECT_EQ(canvas.RowText(0), "╔═══╗");
  Canvas menu(5, 3);
  menu.Frame({0, 0, 5, 3}, Tone::Plain);
  menu.Rule(1, 0, 5, Tone::Plain);
  EXPECT_EQ(menu.RowText(1), "├───┤");
}

TEST(CanvasFrames, TooSmallAreasGetNoFrame) {
  Canvas canvas(3, 3);
  canvas.Frame({0, 0, 1, 3}, Tone::Plain);
  EXPECT_EQ(canvas.RowText(1), "   ");
}

TEST(CanvasText, TextStopsAtItsEndColumn) {
  Canvas canvas(10, 1);
  EXPECT_EQ(canvas.Text(0, 1, "Available", 5, Tone::Plain), 5);
  EXPECT_EQ(canvas.RowText(0), " Avai     ");
}

TEST(CanvasText, AWideGlyphThatWouldCrossTheEdgeIsLeftOut) {
  Canvas canvas(6, 1);
  EXPECT_EQ(canvas.Text(0, 0, "a設定", 4, Tone::Plain), 3);
  EXPECT_EQ(canvas.At(0, 1).glyph, "設");
  EXPECT_EQ(canvas.At(0, 2).glyph, "");  // its right half
  EXPECT_EQ(canvas.At(0, 3).glyph, " ");
}

TEST(CanvasText, TheClipKeepsTextAwayFromNeighbours) {
  Canvas canvas(12, 1);
  canvas.Text(0, 6, "right", 12, Tone::Plain);
  {
    Canvas::Clip clip(canvas, {0, 0, 6, 1});
    canvas.Text(0, 0, "a long label", 12, Tone::Plain);
  }
  EXPECT_EQ(canvas.RowText(0), "a longright ");
}

TEST(CanvasText, OverwritingHalfAWideGlyphBlanksTheOtherHalf) {
  Canvas canvas(4, 1);
  canvas.Text(0, 0, "設定", 4, Tone::Plain);
  canvas.Put(0, 1, "x", Tone::Plain);  // over the right half of 設
  EXPECT_EQ(canvas.RowText(0), " x定");
  canvas.Put(0, 2, "y", Tone::Plain);  // over the left half of 定
  EXPECT_EQ(canvas.RowText(0), " xy ");
}

TEST(CanvasText, AGlyphHalfLeftOfTheClipShowsAsABlank) {
  Canvas canvas(4, 1);
  canvas.Text(0, 0, "zzzz", 4, Tone::Plain);
  Canvas::Clip clip(canvas, {1, 0, 3, 1});
  canvas.Text(0, 0, "設a", 4, Tone::Plain);
  EXPECT_EQ(canvas.RowText(0), "z az");
}

TEST(CanvasText, TextOverAFrameReplacesItsLine) {
  Canvas canvas(6, 2);
  canvas.Frame({0, 0, 6, 2}, Tone::Plain);
  canvas.Text(0, 1, " T ", 5, Tone::Strong);
  EXPECT_EQ(canvas.RowText(0), "┌ T ─┐");
  EXPECT_EQ(canvas.At(0, 2).tone, Tone::Strong);
}

TEST(CanvasText, UnderlinesTheMnemonicGlyph) {
  Canvas canvas(5, 1);
  canvas.Text(0, 0, "Close", 5, Tone::Plain, 0);
  EXPECT_TRUE(canvas.At(0, 0).underline);
  EXPECT_FALSE(canvas.At(0, 1).underline);
}

TEST(CanvasClear, ClearingRemovesGlyphsAndLines) {
  Canvas canvas(4, 2);
  canvas.Frame({0, 0, 4, 2}, Tone::Plain);
  canvas.Clear({1, 0, 2, 2}, Tone::Highlight);
  EXPECT_EQ(canvas.RowText(0), "┌  ┐");
  EXPECT_EQ(canvas.At(0, 1).tone, Tone::Highlight);
}

}  // namespace
}  // namespace framework::tui
