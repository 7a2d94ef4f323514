#include "res/rcc/lib/rc_parser.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "res/rcc/lib/rc_symbols.h"
#include "res/rcc/lib/statement_parsers.h"

namespace rcc {
namespace {

constexpr std::uint16_t kEnglishUnitedStates = 0x0409;  // the platform compiler's default language

// The platform's compiler refuses a second resource of one type, id and language.
template <typename Resources>
void RejectDuplicate(const Resources& resources, int id, std::uint16_t language, const std::string& kind,
                     const SourceLocation& where) {
  for (const auto& existing : resources)
    if (existing.id == id && existing.language == language)
      throw RcError(where,
                    kind + " " + std::to_string(id) + " is defined twice in language " + std::to_string(language));
}

IconResource ReadIcon(TokenCursor& in, int id, std::uint16_t language) {
  const Token& fileToken = in.Peek();
  const std::string name = in.ExpectString("icon file name");
  const std::filesystem::path path = std::filesystem::path(fileToken.where.file).parent_path() / name;
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (!file) throw RcError(fileToken.where, "cannot read icon file " + path.string());
  return {id, language, ParseIcoFile(std::move(bytes), fileToken.where)};
}

class ScriptParser {
 public:
  explicit ScriptParser(const std::vector<Token>& tokens) : m_in(tokens) {}

  ResourceScript Parse() {
    while (!m_in.AtEnd()) {
      if (m_in.AcceptKeyword("LANGUAGE"))
        m_language = ParseLanguage(m_in);
      else if (m_in.AcceptKeyword("STRINGTABLE"))
        ParseStringTable();
      else
        ParseNumberedResource();
    }
    return std::move(m_script);
  }

 private:
  void ParseNumberedResource() {
    const Token& nameToken = m_in.Peek();
    if (nameToken.kind == TokenKind::Identifier && !PlatformConstant(nameToken.text))
      m_in.Fail("unknown resource statement or symbol '" + nameToken.text + "'; resources must be numbered");
    const int id = static_cast<int>(m_in.ExpectIntegerIn("resource id", 1, 0xFFFF));
    const Token& typeToken = m_in.Peek();
    if (m_in.AcceptKeyword("DIALOG") || m_in.AcceptKeyword("DIALOGEX")) {
      Dialog dialog = ParseDialog(m_in, id, typeToken.text == "DIALOGEX", m_language);
      RejectDuplicate(m_script.dialogs, id, dialog.language, "dialog", nameToken.where);
      m_script.dialogs.push_back(std::move(dialog));
    } else if (m_in.AcceptKeyword("ICON")) {
      RejectDuplicate(m_script.icons, id, m_language, "icon", nameToken.where);
      m_script.icons.push_back(ReadIcon(m_in, id, m_language));
    } else if (m_in.AcceptKeyword("VERSIONINFO")) {
      if (m_script.version) throw RcError(nameToken.where, "only one VERSIONINFO is supported");
      m_script.version = ParseVersionInfo(m_in);
    } else {
      m_in.Fail("unsupported resource type; expected DIALOG, DIALOGEX, ICON or VERSIONINFO");
    }
  }

  void ParseStringTable() {
    std::uint16_t language = m_language;
    while (m_in.AcceptKeyword("LANGUAGE")) language = ParseLanguage(m_in);
    m_in.ExpectBegin("after STRINGTABLE");
    while (!m_in.AcceptEnd()) {
      const Token& idToken = m_in.Peek();
      const auto id = static_cast<std::uint16_t>(m_in.ExpectIntegerIn("string id", 0, 0xFFFF));
      m_in.AcceptPunct(',');
      std::string text = m_in.ExpectString("string " + std::to_string(id));
      RejectDuplicate(m_script.strings, id, language, "string", idToken.where);
      m_script.strings.push_back({language, id, std::move(text)});
    }
  }

  TokenCursor m_in;
  std::uint16_t m_language = kEnglishUnitedStates;
  ResourceScript m_script;
};

}  // namespace

std::uint16_t ParseLanguage(TokenCursor& in) {
  const auto primary = in.ExpectIntegerIn("primary language", 0, 0x3FF);
  in.ExpectPunct(',', "between language and sublanguage");
  const auto sublanguage = in.ExpectIntegerIn("sublanguage", 0, 0x3F);
  return static_cast<std::uint16_t>((sublanguage << 10) | primary);
}

ResourceScript ParseScript(const std::vector<Token>& tokens) { return ScriptParser(tokens).Parse(); }

}  // namespace rcc
