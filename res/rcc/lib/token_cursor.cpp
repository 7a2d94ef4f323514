#include "res/rcc/lib/token_cursor.h"

#include "res/rcc/lib/rc_symbols.h"

namespace rcc {

const Token& TokenCursor::Next() {
  const Token& token = m_tokens[m_position];
  if (token.kind != TokenKind::End) ++m_position;
  return token;
}

bool TokenCursor::AcceptPunct(char c) {
  if (Peek().kind != TokenKind::Punct || Peek().text[0] != c) return false;
  Next();
  return true;
}

void TokenCursor::ExpectPunct(char c, std::string_view context) {
  if (!AcceptPunct(c))
    Fail("expected '" + std::string(1, c) + "' " + std::string(context) + ", found " + Describe(Peek()));
}

bool TokenCursor::PeekKeyword(std::string_view word) const {
  return Peek().kind == TokenKind::Identifier && Peek().text == word;
}

bool TokenCursor::AcceptKeyword(std::string_view word) {
  if (!PeekKeyword(word)) return false;
  Next();
  return true;
}

void TokenCursor::ExpectKeyword(std::string_view word) {
  if (!AcceptKeyword(word)) Fail("expected " + std::string(word) + ", found " + Describe(Peek()));
}

bool TokenCursor::AcceptBegin() { return AcceptKeyword("BEGIN") || AcceptPunct('{'); }

void TokenCursor::ExpectBegin(std::string_view context) {
  if (!AcceptBegin()) Fail("expected BEGIN " + std::string(context) + ", found " + Describe(Peek()));
}

bool TokenCursor::AcceptEnd() {
  if (AtEnd()) Fail("END is missing at the end of the file");
  return AcceptKeyword("END") || AcceptPunct('}');
}

std::string TokenCursor::ExpectString(std::string_view what) {
  if (Peek().kind != TokenKind::String)
    Fail("expected a string for " + std::string(what) + ", found " + Describe(Peek()));
  return Next().text;
}

std::int64_t TokenCursor::ExpectInteger(std::string_view what) {
  std::int64_t value = Term(what);
  while (AcceptPunct('|')) value |= Term(what);
  return value;
}

std::int64_t TokenCursor::ExpectIntegerIn(std::string_view what, std::int64_t minimum, std::int64_t maximum) {
  const Token& at = Peek();
  const std::int64_t value = ExpectInteger(what);
  if (value < minimum || value > maximum)
    throw RcError(at.where, std::string(what) + " must be between " + std::to_string(minimum) + " and " +
                                std::to_string(maximum) + ", not " + std::to_string(value));
  return value;
}

std::uint32_t TokenCursor::ExpectStyle(std::string_view what, std::uint32_t initial) {
  std::uint32_t style = initial;
  do {
    const bool clear = AcceptKeyword("NOT");
    const auto bits = static_cast<std::uint32_t>(Term(what));
    style = clear ? (style & ~bits) : (style | bits);
  } while (AcceptPunct('|'));
  return style;
}

std::int64_t TokenCursor::Term(std::string_view what) {
  if (AcceptPunct('-')) return -Term(what);
  if (AcceptPunct('(')) {
    const std::int64_t value = ExpectInteger(what);
    ExpectPunct(')', "to close the parenthesis");
    return value;
  }
  const Token& token = Peek();
  if (token.kind == TokenKind::Number) return Next().number;
  if (token.kind == TokenKind::Identifier) {
    if (const auto value = PlatformConstant(token.text)) {
      Next();
      return *value;
    }
    Fail("unknown symbol '" + token.text + "' in " + std::string(what));
  }
  Fail("expected " + std::string(what) + ", found " + Describe(token));
}

void TokenCursor::Fail(const std::string& message) const { throw RcError(Peek().where, message); }

std::string TokenCursor::Describe(const Token& token) const {
  switch (token.kind) {
    case TokenKind::Identifier:
      return "'" + token.text + "'";
    case TokenKind::Number:
      return "number " + std::to_string(token.number);
    case TokenKind::String:
      return "string \"" + token.text + "\"";
    case TokenKind::Punct:
      return "'" + token.text + "'";
    case TokenKind::End:
      break;
  }
  return "the end of the file";
}

}  // namespace rcc
