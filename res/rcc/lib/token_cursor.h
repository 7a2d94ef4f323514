// Reading a script's tokens one statement at a time: keywords, strings, block
// brackets and the integer and style expressions of resource statements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "res/rcc/lib/rc_lexer.h"

namespace rcc {

class TokenCursor {
 public:
  explicit TokenCursor(const std::vector<Token>& tokens) : m_tokens(tokens) {}

  const Token& Peek() const { return m_tokens[m_position]; }
  const Token& Next();
  bool AtEnd() const { return Peek().kind == TokenKind::End; }

  bool AcceptPunct(char c);
  void ExpectPunct(char c, std::string_view context);
  bool PeekKeyword(std::string_view word) const;
  bool AcceptKeyword(std::string_view word);
  void ExpectKeyword(std::string_view word);
  bool AcceptBegin();  // BEGIN or {
  void ExpectBegin(std::string_view context);
  bool AcceptEnd();  // END or }
  std::string ExpectString(std::string_view what);

  // An integer expression: numbers, symbols, unary minus, parentheses and |.
  std::int64_t ExpectInteger(std::string_view what);
  std::int64_t ExpectIntegerIn(std::string_view what, std::int64_t minimum, std::int64_t maximum);
  // A style expression: terms joined by |, where NOT term clears the term's
  // bits from what the left side (and `initial`) set.
  std::uint32_t ExpectStyle(std::string_view what, std::uint32_t initial);

  [[noreturn]] void Fail(const std::string& message) const;

 private:
  std::int64_t Term(std::string_view what);
  std::string Describe(const Token& token) const;

  const std::vector<Token>& m_tokens;
  std::size_t m_position = 0;
};

}  // namespace rcc
