// Text as a terminal shows it: UTF-8 split into glyphs, each as many cells wide
// as wcwidth says, so that Chinese, Japanese and Korean texts line up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace framework::tui {

struct Glyph {
  std::string text;  // one character, UTF-8
  char32_t code = 0;
  int cells = 1;  // 1 or 2
};

// The glyphs of a one-line UTF-8 text. A tab or line feed shows as a blank,
// other control characters take no cell and are left out, and a byte that is
// not valid UTF-8 shows as U+FFFD.
std::vector<Glyph> GlyphsOf(std::string_view text);

// The cells a one-line text takes.
int CellsOf(std::string_view text);

// The longest beginning of `text` that fits in `cells`. A wide glyph that
// would straddle the edge is left out whole.
std::string CutToCells(std::string_view text, int cells);

// `text` cut to `cells` less two, with a blank on each side: a title on a border.
std::string BorderTitle(std::string_view text, int cells);

// A push button's label as the terminal shows it: "[ text ]".
std::string Bracketed(std::string_view text);

// Lines of at most `cells` (at least one): broken at each line feed, else after
// the last blank that fits, else (text without blanks, as in Chinese) at the edge.
std::vector<std::string> WrapToCells(std::string_view text, int cells);

// A control or menu text with its '&' prefix marks taken out: "&&" shows one
// '&', a single '&' underlines the glyph after it.
struct PrefixedText {
  std::string text;
  int mnemonicGlyph = -1;  // index into GlyphsOf(text), -1 when there is none
  char32_t mnemonic = 0;   // that glyph, in lower case (MnemonicKey)
};
PrefixedText StripPrefix(std::string_view text);

// One character as UTF-8.
std::string Utf8Of(char32_t code);

// Lower case for letters (beyond ASCII as the character type knows them), the
// code itself otherwise; how mnemonics compare.
char32_t MnemonicKey(char32_t code);

// Makes the process's character type UTF-8 (the locale's own when it is, else
// C.UTF-8), so that wcwidth and the terminal agree. False when none is
// available; wide texts then count one cell a glyph.
bool UseUtf8CharacterTypes();

}  // namespace framework::tui
