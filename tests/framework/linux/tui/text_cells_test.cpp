// Measuring, cutting and wrapping UTF-8 texts in terminal cells.
#include <gtest/gtest.h>

#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

TEST(TextCells, WideCharactersTakeTwoCells) {
  EXPECT_EQ(CellsOf("Quit"), 4);
  EXPECT_EQ(CellsOf("TAVRIN 設定"), 11);
  EXPECT_EQ(CellsOf("ドライバータイプ"), 16);
  EXPECT_EQ(CellsOf("드라이버 종류"), 13);
  EXPECT_EQ(CellsOf("Сохранить"), 9);
  EXPECT_EQ(CellsOf("¿Salvar"), 7);
}

TEST(TextCells, ControlCharactersTakeNoCellButTabsAndLineFeedsShowAsBlanks) {
  EXPECT_EQ(CellsOf("a\x01"
                    "b"),
            2);
  const std::vector<Glyph> glyphs = GlyphsOf("a\tb\n");
  ASSERT_EQ(glyphs.size(), 4u);
  EXPECT_EQ(glyphs[1].text, " ");
  EXPECT_EQ(glyphs[3].text, " ");
}

TEST(TextCells, BrokenUtf8ShowsAsReplacementCharacters) {
  const std::vector<Glyph> glyphs = GlyphsOf(
      "a\xE8\xA8"
      "b\xC0\xAF");
  // a, the cut sequence one byte at a time, b, the overlong pair one byte at a time
  ASSERT_EQ(glyphs.size(), 6u);
  EXPECT_EQ(glyphs[0].text, "a");
  EXPECT_EQ(glyphs[1].code, 0xFFFDu);
  EXPECT_EQ(glyphs[2].code, 0xFFFDu);
  EXPECT_EQ(glyphs[3].text, "b");
  EXPECT_EQ(glyphs[4].code, 0xFFFDu);
  EXPECT_EQ(glyphs[5].code, 0xFFFDu);
}

TEST(CutToCells, CutsAtTheEdge) {
  EXPECT_EQ(CutToCells("Apply settings", 5), "Apply");
  EXPECT_EQ(CutToCells("Quit", 10), "Quit");
  EXPECT_EQ(CutToCells("Quit", 0), "");
  EXPECT_EQ(CutToCells("Quit", -3), "");
}

TEST(CutToCells, NeverSplitsAWideCharacter) {
  EXPECT_EQ(CutToCells("設定", 3), "設");
  EXPECT_EQ(CutToCells("a設定", 4), "a設");
  EXPECT_EQ(CellsOf(CutToCells("a設定", 4)), 3);
  EXPECT_EQ(CutToCells("設", 1), "");
}

TEST(WrapToCells, BreaksAfterTheLastBlankThatFits) {
  EXPECT_EQ(WrapToCells("Save settings before quit?", 14), (std::vector<std::string>{"Save settings", "before quit?"}));
}

TEST(WrapToCells, BreaksAtLineFeedsAndKeepsATrailingEmptyLine) {
  EXPECT_EQ(WrapToCells("one\ntwo\n", 20), (std::vector<std::string>{"one", "two", ""}));
}

TEST(WrapToCells, TextWithoutBlanksBreaksAtTheEdgeWithoutSplittingWideCharacters) {
  const std::vector<std::string> lines = WrapToCells("請先安裝TAVRIN並且確定正確運作", 9);
  for (const std::string& line : lines) EXPECT_LE(CellsOf(line), 9) << line;
  std::string joined;
  for (const std::string& line : lines) joined += line;
  EXPECT_EQ(joined, "請先安裝TAVRIN並且確定正確運作");
  EXPECT_EQ(lines.front(), "請先安裝T");
}

TEST(WrapToCells, AGlyphWiderThanTheLineStillMovesOn) {
  EXPECT_EQ(WrapToCells("設定", 1), (std::vector<std::string>{"設", "定"}));
}

TEST(WrapToCells, ABreakAtTheLastBlankLeavesNoEmptyLine) {
  EXPECT_EQ(WrapToCells("Quit now ", 8), (std::vector<std::string>{"Quit now"}));
  EXPECT_EQ(WrapToCells("", 8), (std::vector<std::string>{""}));
}

TEST(StripPrefix, TheAboutItemUnderlinesA) {
  const PrefixedText item = StripPrefix("?? TAVRIN(&A)...");
  EXPECT_EQ(item.text, "?? TAVRIN(A)...");
  EXPECT_EQ(item.mnemonicGlyph, 10);
  EXPECT_EQ(item.mnemonic, U'a');
}

TEST(StripPrefix, CountsGlyphsNotBytes) {
  const PrefixedText item = StripPrefix("關於 TAVRIN(&A)...");
  EXPECT_EQ(item.text, "關於 TAVRIN(A)...");
  EXPECT_EQ(item.mnemonicGlyph, 10);
}

TEST(StripPrefix, DoubledAmpersandShowsOneAndALastAmpersandStays) {
  EXPECT_EQ(StripPrefix("Drag && drop").text, "Drag & drop");
  EXPECT_EQ(StripPrefix("Drag && drop").mnemonicGlyph, -1);
  EXPECT_EQ(StripPrefix("end&").text, "end&");
  EXPECT_EQ(StripPrefix(">> Add to list >>").text, ">> Add to list >>");
}

}  // namespace
}  // namespace framework::tui
