// The front end of the resource compiler: the preprocessor subset resource
// scripts use (#include, object-like #define, #pragma code_page and once) and
// the tokens of the script with their file and line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "res/rcc/lib/rc_error.h"

namespace rcc {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;         // identifier name, decoded string (UTF-8) or punctuation character
  std::int64_t number = 0;  // value of a number
  SourceLocation where;
};

// The tokens of the script at `path` and of the files it includes, with every
// #define expanded; the last token is End. Fails with an RcError naming the
// file and line of anything outside the subset.
std::vector<Token> TokenizeFile(const std::string& path);

// The same for script text that claims to come from `path` (quoted includes
// are looked up next to it).
std::vector<Token> TokenizeText(const std::string& text, const std::string& path);

}  // namespace rcc
