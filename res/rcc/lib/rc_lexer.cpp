#include "res/rcc/lib/rc_lexer.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string_view>
#include <utility>

#include "base/utf8.h"
#include "res/rcc/lib/rc_symbols.h"

namespace rcc {
namespace {

constexpr int kMaxIncludeDepth = 32;
constexpr std::int64_t kMaxNumber = 0xFFFFFFFF;
constexpr std::string_view kPunctuation = ",|(){}-";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string ReadWholeFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  ok = static_cast<bool>(in);
  return content.str();
}

// Turns the lines of one file into tokens and runs the preprocessor over them.
class Preprocessor {
 public:
  std::vector<Token> Run(const std::string& text, const std::string& path) {
    Token end;
    end.where = ProcessText(text, path, 0);
    m_tokens.push_back(end);
    return std::move(m_tokens);
  }

 private:
  // Returns the location of the text's last line.
  SourceLocation ProcessText(std::string_view text, const std::string& path, int depth) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    bool inComment = false;
    SourceLocation where{path, 0};
    std::string_view rest = text;
    while (!rest.empty()) {
      const std::size_t newline = rest.find('\n');
      const std::string_view line = rest.substr(0, newline);
      rest = newline == std::string_view::npos ? std::string_view{} : rest.substr(newline + 1);
      ++where.line;

      std::size_t first = 0;
      while (first < line.size() && IsBlank(line[first])) ++first;
      if (!inComment && first < line.size() && line[first] == '#') {
        Directive(line.substr(first + 1), where, depth);
      } else {
        std::vector<Token> lineTokens;
        ScanLine(line, where, inComment, lineTokens);
        for (Token& token : lineTokens) Emit(std::move(token), {});
      }
    }
    if (inComment) throw RcError(where, "comment is not closed at the end of the file");
    return where;
  }

  // Appends a token, replacing a #define'd name by its definition.
  void Emit(Token token, std::vector<std::string> expanding) {
    if (token.kind == TokenKind::Identifier) {
      const auto definition = m_defines.find(token.text);
      bool active = false;
      for (const std::string& name : expanding) active = active || name == token.text;
      if (definition != m_defines.end() && !active) {
        expanding.push_back(token.text);
        for (Token replacement : definition->second) {
          replacement.where = token.where;
          Emit(std::move(replacement), expanding);
        }
        return;
      }
    }
    m_tokens.push_back(std::move(token));
  }

  void Directive(std::string_view line, const SourceLocation& where, int depth) {
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::size_t nameStart = pos;
    while (pos < line.size() && IsIdentifierChar(line[pos])) ++pos;
    const std::string name(line.substr(nameStart, pos - nameStart));
    const std::string_view rest = line.substr(pos);
    if (name == "include") {
      Include(rest, where, depth);
    } else if (name == "define") {
      Define(rest, where);
    } else if (name == "pragma") {
      Pragma(rest, where);
    } else {
      throw RcError(where, "unsupported preprocessor directive #" + name);
    }
  }

  void Include(std::string_view rest, const SourceLocation& where, int depth) {
    std::size_t pos = 0;
    while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
    const char open = pos < rest.size() ? rest[pos] : '\0';
    const char close = open == '"' ? '"' : open == '<' ? '>' : '\0';
    const std::size_t end = close ? rest.find(close, pos + 1) : std::string_view::npos;
    if (end == std::string_view::npos) throw RcError(where, "#include needs \"file\" or <file>");
    const std::string file(rest.substr(pos + 1, end - pos - 1));
    ExpectNothingAfter(rest.substr(end + 1), where, "#include");

    if (open == '<') {
      if (!IsPlatformHeader(file)) throw RcError(where, "unknown platform header <" + file + ">");
      return;
    }
    if (depth >= kMaxIncludeDepth) throw RcError(where, "#include nests too deeply");
    const std::filesystem::path included = std::filesystem::path(where.file).parent_path() / file;
    const std::string canonical = std::filesystem::weakly_canonical(included).string();
    if (m_includedOnce.count(canonical)) return;
    bool ok = false;
    const std::string text = ReadWholeFile(included.string(), ok);
    if (!ok) throw RcError(where, "cannot read included file " + included.string());
    ProcessText(text, included.string(), depth + 1);
  }

  void Define(std::string_view rest, const SourceLocation& where) {
    std::size_t pos = 0;
    while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
    const std::size_t nameStart = pos;
    if (pos >= rest.size() || !IsIdentifierStart(rest[pos])) throw RcError(where, "#define needs a name");
    while (pos < rest.size() && IsIdentifierChar(rest[pos])) ++pos;
    if (pos < rest.size() && rest[pos] == '(') throw RcError(where, "macros with parameters are not supported");
    std::vector<Token> value;
    bool inComment = false;
    ScanLine(rest.substr(pos), where, inComment, value);
    if (inComment) throw RcError(where, "comment in #define must end on the same line");
    m_defines[std::string(rest.substr(nameStart, pos - nameStart))] = std::move(value);
  }

  void Pragma(std::string_view rest, const SourceLocation& where) {
    std::vector<Token> words;
    bool inComment = false;
    ScanLine(rest, where, inComment, words);
    if (words.size() == 1 && words[0].kind == TokenKind::Identifier && words[0].text == "once") {
      m_includedOnce.insert(std::filesystem::weakly_canonical(where.file).string());
      return;
    }
    const bool codePage = words.size() == 4 && words[0].text == "code_page" && words[1].text == "(" &&
                          words[2].kind == TokenKind::Number && words[3].text == ")";
    if (!codePage) throw RcError(where, "unsupported #pragma");
    if (words[2].number != 65001) throw RcError(where, "only code page 65001 (UTF-8) is supported");
    m_utf8 = true;
  }

  void ExpectNothingAfter(std::string_view rest, const SourceLocation& where, const std::string& directive) {
    std::vector<Token> extra;
    bool inComment = false;
    ScanLine(rest, where, inComment, extra);
    if (!extra.empty() || inComment) throw RcError(where, "unexpected text after " + directive);
  }

  // The tokens of one line; a block comment may continue from the previous line.
  void ScanLine(std::string_view line, const SourceLocation& where, bool& inComment, std::vector<Token>& out) {
    std::size_t pos = 0;
    while (pos < line.size()) {
      if (inComment) {
        const std::size_t close = line.find("*/", pos);
        if (close == std::string_view::npos) return;
        inComment = false;
        pos = close + 2;
        continue;
      }
      const char c = line[pos];
      if (IsBlank(c)) {
        ++pos;
      } else if (line.substr(pos, 2) == "//") {
        return;
      } else if (line.substr(pos, 2) == "/*") {
        inComment = true;
        pos += 2;
      } else if (IsIdentifierStart(c)) {
        const std::size_t start = pos;
        while (pos < line.size() && IsIdentifierChar(line[pos])) ++pos;
        out.push_back({TokenKind::Identifier, std::string(line.substr(start, pos - start)), 0, where});
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        out.push_back(ScanNumber(line, pos, where));
      } else if (c == '"') {
        out.push_back(ScanString(line, pos, where));
      } else if (kPunctuation.find(c) != std::string_view::npos) {
        out.push_back({TokenKind::Punct, std::string(1, c), 0, where});
        ++pos;
      } else {
        throw RcError(where, "unexpected character '" + std::string(1, c) + "'");
      }
    }
  }

  static Token ScanNumber(std::string_view line, std::size_t& pos, const SourceLocation& where) {
    const bool hex = line.substr(pos, 2) == "0x" || line.substr(pos, 2) == "0X";
    if (hex) pos += 2;
    const std::size_t start = pos;
    std::int64_t value = 0;
    while (pos < line.size() && (hex ? std::isxdigit(static_cast<unsigned char>(line[pos]))
                                     : std::isdigit(static_cast<unsigned char>(line[pos])))) {
      const char digit = static_cast<char>(std::tolower(static_cast<unsigned char>(line[pos])));
      value = value * (hex ? 16 : 10) + (digit <= '9' ? digit - '0' : digit - 'a' + 10);
      if (value > kMaxNumber) throw RcError(where, "number does not fit in 32 bits");
      ++pos;
    }
    if (pos == start) throw RcError(where, "malformed number");
    while (pos < line.size() && (line[pos] == 'L' || line[pos] == 'l' || line[pos] == 'U' || line[pos] == 'u')) ++pos;
    if (pos < line.size() && IsIdentifierChar(line[pos])) throw RcError(where, "malformed number");
    return {TokenKind::Number, "", value, where};
  }

  Token ScanString(std::string_view line, std::size_t& pos, const SourceLocation& where) const {
    std::string text;
    ++pos;
    for (;;) {
      if (pos >= line.size()) throw RcError(where, "string is not closed on its line");
      const char c = line[pos++];
      if (c == '"') {
        if (pos < line.size() && line[pos] == '"') {  // "" stands for one quote
          text += '"';
          ++pos;
          continue;
        }
        break;
      }
      if (c != '\\') {
        text += c;
        continue;
      }
      if (pos >= line.size()) throw RcError(where, "string is not closed on its line");
      switch (const char escaped = line[pos++]) {
        case 'n':
          text += '\n';
          break;
        case 't':
          text += '\t';
          break;
        case 'r':
          text += '\r';
          break;
        case 'a':
          text += '\a';
          break;
        case '\\':
          text += '\\';
          break;
        case '"':
          text += '"';
          break;
        default:
          throw RcError(where, "unsupported escape sequence \\" + std::string(1, escaped));
      }
    }
    if (!base::IsAscii(text) && !m_utf8)
      throw RcError(where, "non-ASCII text needs #pragma code_page(65001) before it");
    if (!base::IsValidUtf8(text)) throw RcError(where, "string is not valid UTF-8");
    return {TokenKind::String, std::move(text), 0, where};
  }

  std::vector<Token> m_tokens;
  std::map<std::string, std::vector<Token>> m_defines;
  std::set<std::string> m_includedOnce;
  bool m_utf8 = false;
};

}  // namespace

std::vector<Token> TokenizeText(const std::string& text, const std::string& path) {
  return Preprocessor().Run(text, path);
}

std::vector<Token> TokenizeFile(const std::string& path) {
  bool ok = false;
  const std::string text = ReadWholeFile(path, ok);
  if (!ok) throw RcError({path, 0}, "cannot read the resource script");
  return TokenizeText(text, path);
}

}  // namespace rcc
