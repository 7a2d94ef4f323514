#include "framework/linux/tui/text_cells.h"

#include <langinfo.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "base/utf8.h"

namespace framework::tui {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 character at `at`; advances `at` past it. A byte that
// starts no well-formed character gives U+FFFD and is consumed alone.
char32_t DecodeOne(std::string_view text, std::size_t& at) {
  std::size_t length = 0;
  const char32_t code = base::DecodeUtf8(text.substr(at), length);
  at += length == 0 ? 1 : length;
  return length == 0 ? kReplacement : code;
}

}  // namespace

std::string Utf8Of(char32_t code) {
  std::string out;
  base::AppendUtf8(out, code);
  return out;
}

namespace {

// Cells of one character: wcwidth, with blanks for tab and line feed and
// nothing for other control characters. An unprintable non-control character
// (unknown to the locale) still takes one cell, so text never collapses.
int CellsOfCode(char32_t code) {
  if (code == U'\t' || code == U'\n') return 1;
  if (code < 0x20 || (code >= 0x7F && code < 0xA0)) return 0;
  const int width = wcwidth(static_cast<wchar_t>(code));
  if (width < 0) return 1;
  return width > 2 ? 2 : width;
}

bool IsBlank(const Glyph& glyph) { return glyph.code == U' ' || glyph.code == U'\t'; }

std::string Join(const std::vector<Glyph>& glyphs, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t k = from; k < to; ++k) out += glyphs[k].text;
  return out;
}

// Breaks one paragraph (no line feeds) into lines of at most `cells`.
void WrapParagraph(std::string_view paragraph, int cells, std::vector<std::string>& lines) {
  const std::vector<Glyph> glyphs = GlyphsOf(paragraph);
  std::size_t start = 0;
  while (true) {
    if (start > 0 && start == glyphs.size()) return;  // the last break took the rest
    int used = 0;
    std::size_t end = start;
    std::size_t lastBlank = std::string::npos;
    while (end < glyphs.size() && used + glyphs[end].cells <= cells) {
      if (IsBlank(glyphs[end])) lastBlank = end;
      used += glyphs[end].cells;
      ++end;
    }
    if (end == glyphs.size()) {
      lines.push_back(Join(glyphs, start, end));
      return;
    }
    if (IsBlank(glyphs[end])) lastBlank = end;
    std::size_t next = end;
    if (lastBlank != std::string::npos && lastBlank > start) {
      end = lastBlank;
      next = lastBlank + 1;
    } else if (end == start) {
      ++end;  // a glyph wider than the line still moves on
      next = end;
    }
    lines.push_back(Join(glyphs, start, end));
    start = next;
  }
}

}  // namespace

std::vector<Glyph> GlyphsOf(std::string_view text) {
  std::vector<Glyph> glyphs;
  std::size_t at = 0;
  while (at < text.size()) {
    const char32_t code = DecodeOne(text, at);
    const int cells = CellsOfCode(code);
    if (cells == 0) continue;
    const bool blank = code == U'\t' || code == U'\n';
    glyphs.push_back({blank ? std::string(" ") : Utf8Of(code), blank ? U' ' : code, cells});
  }
  return glyphs;
}

int CellsOf(std::string_view text) {
  int cells = 0;
  for (const Glyph& glyph : GlyphsOf(text)) cells += glyph.cells;
  return cells;
}

std::string CutToCells(std::string_view text, int cells) {
  std::string out;
  int used = 0;
  for (const Glyph& glyph : GlyphsOf(text)) {
    if (used + glyph.cells > cells) break;
    used += glyph.cells;
    out += glyph.text;
  }
  return out;
}

std::string BorderTitle(std::string_view text, int cells) {
  std::string title(1, ' ');
  title.append(CutToCells(text, cells - 2));
  title.push_back(' ');
  return title;
}

std::string Bracketed(std::string_view text) {
  std::string label("[ ");
  label.append(text);
  label.append(" ]");
  return label;
}

std::vector<std::string> WrapToCells(std::string_view text, int cells) {
  if (cells < 1) cells = 1;
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t feed = text.find('\n', start);
    WrapParagraph(text.substr(start, feed == std::string_view::npos ? std::string_view::npos : feed - start), cells,
                  lines);
    if (feed == std::string_view::npos) return lines;
    start = feed + 1;
  }
}

char32_t MnemonicKey(char32_t code) {
  if (code >= U'A' && code <= U'Z') return code - U'A' + U'a';
  if (code < 0x80 || code > static_cast<char32_t>(WCHAR_MAX)) return code;
  return static_cast<char32_t>(std::towlower(static_cast<wint_t>(code)));
}

PrefixedText StripPrefix(std::string_view text) {
  PrefixedText out;
  bool marked = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) {
      ++at;
      if (text[at] != '&' && out.mnemonicGlyph < 0) marked = true;
    }
    if (marked) {
      out.mnemonicGlyph = static_cast<int>(GlyphsOf(out.text).size());
      std::size_t probe = at;
      out.mnemonic = MnemonicKey(DecodeOne(text, probe));
      marked = false;
    }
    out.text += text[at];
  }
  return out;
}

bool UseUtf8CharacterTypes() {
  auto isUtf8 = [] {
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
  };
  if (std::setlocale(LC_CTYPE, "") != nullptr && isUtf8()) return true;
  return std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr && isUtf8();
}

}  // namespace framework::tui
