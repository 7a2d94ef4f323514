#include "rc_parser.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "rc_symbols.h"
#include "statement_parsers.h"

namespace rcc {
namespace {

constexpr std::uint16_t kEnglishUnitedStates = 0x0409;  // the platform compiler's default language

// The platform's compiler refuses a second resource of one type, id and language.
template <typename Resources>
void RejectDuplicate(const Resources& resources, int id, std::uint16_t language, const std::string& kind,
                     const SourceLocation& where) {
  for (const auto& existing : resources)
    if (existing.id == id && existing.language == language)
      throw RcError(where, kind + " " + std::to_string(id) + " is defined twice in language " +
                               std::to_string(language));
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
  explicit ScriptParser(const std::vector<Token>& tokens) : in_(tokens) {}

  ResourceScript Parse() {
    while (!in_.AtEnd()) {
      if (in_.AcceptKeyword("LANGUAGE"))
        language_ = ParseLanguage(in_);
      else if (in_.AcceptKeyword("STRINGTABLE"))
        ParseStringTable();
      else
        ParseNumberedResource();
    }
    return std::move(script_);
  }

 private:
  void ParseNumberedResource() {
    const Token& nameToken = in_.Peek();
    if (nameToken.kind == TokenKind::Identifier && !PlatformConstant(nameToken.text))
      in_.Fail("unknown resource statement or symbol '" + nameToken.text + "'; resources must be numbered");
    const int id = static_cast<int>(in_.ExpectIntegerIn("resource id", 1, 0xFFFF));
    const Token& typeToken = in_.Peek();
    if (in_.AcceptKeyword("DIALOG") || in_.AcceptKeyword("DIALOGEX")) {
      Dialog dialog = ParseDialog(in_, id, typeToken.text == "DIALOGEX", language_);
      RejectDuplicate(script_.dialogs, id, dialog.language, "dialog", nameToken.where);
      script_.dialogs.push_back(std::move(dialog));
    } else if (in_.AcceptKeyword("ICON")) {
      RejectDuplicate(script_.icons, id, language_, "icon", nameToken.where);
      script_.icons.push_back(ReadIcon(in_, id, language_));
    } else if (in_.AcceptKeyword("VERSIONINFO")) {
      if (script_.version) throw RcError(nameToken.where, "only one VERSIONINFO is supported");
      script_.version = ParseVersionInfo(in_);
    } else {
      in_.Fail("unsupported resource type; expected DIALOG, DIALOGEX, ICON or VERSIONINFO");
    }
  }

  void ParseStringTable() {
    std::uint16_t language = language_;
    while (in_.AcceptKeyword("LANGUAGE")) language = ParseLanguage(in_);
    in_.ExpectBegin("after STRINGTABLE");
    while (!in_.AcceptEnd()) {
      const Token& idToken = in_.Peek();
      const auto id = static_cast<std::uint16_t>(in_.ExpectIntegerIn("string id", 0, 0xFFFF));
      in_.AcceptPunct(',');
      std::string text = in_.ExpectString("string " + std::to_string(id));
      RejectDuplicate(script_.strings, id, language, "string", idToken.where);
      script_.strings.push_back({language, id, std::move(text)});
    }
  }

  TokenCursor in_;
  std::uint16_t language_ = kEnglishUnitedStates;
  ResourceScript script_;
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
