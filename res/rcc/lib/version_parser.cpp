#include <cctype>
#include <string>

#include "res/rcc/lib/statement_parsers.h"

namespace rcc {
namespace {

constexpr std::int64_t kMaxDword = 0xFFFFFFFF;

// FILEVERSION and PRODUCTVERSION: up to four parts, missing ones are 0.
void ParseVersionNumbers(TokenCursor& in, std::array<std::uint16_t, 4>& parts) {
  parts = {};
  std::size_t count = 0;
  do {
    if (count == parts.size()) in.Fail("a version has at most four parts");
    parts[count++] = static_cast<std::uint16_t>(in.ExpectIntegerIn("version part", 0, 0xFFFF));
  } while (in.AcceptPunct(','));
}

bool IsStringBlockName(const std::string& name) {
  if (name.size() != 8) return false;
  for (const char c : name)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

void ParseStringFileInfo(TokenCursor& in, VersionInfo& version) {
  in.ExpectBegin("after BLOCK \"StringFileInfo\"");
  while (!in.AcceptEnd()) {
    in.ExpectKeyword("BLOCK");
    const Token& nameToken = in.Peek();
    const std::string name = in.ExpectString("string block name");
    if (!IsStringBlockName(name))
      throw RcError(nameToken.where, "string block name must be 8 hex digits (language and code page)");
    if (!version.blockName.empty()) throw RcError(nameToken.where, "only one string block is supported");
    version.blockName = name;
    in.ExpectBegin("after the string block name");
    while (!in.AcceptEnd()) {
      in.ExpectKeyword("VALUE");
      const Token& keyToken = in.Peek();
      std::string key = in.ExpectString("version key");
      for (const auto& [existing, value] : version.strings)
        if (existing == key) throw RcError(keyToken.where, "version key \"" + key + "\" is given twice");
      in.ExpectPunct(',', "after the version key");
      version.strings.emplace_back(std::move(key), in.ExpectString("version value"));
    }
  }
}

void ParseVarFileInfo(TokenCursor& in, VersionInfo& version) {
  in.ExpectBegin("after BLOCK \"VarFileInfo\"");
  in.ExpectKeyword("VALUE");
  if (in.ExpectString("variable name") != "Translation") in.Fail("only the \"Translation\" variable is supported");
  in.ExpectPunct(',', "after \"Translation\"");
  version.translationLanguage = static_cast<std::uint16_t>(in.ExpectIntegerIn("translation language", 0, 0xFFFF));
  in.ExpectPunct(',', "after the translation language");
  version.translationCodePage = static_cast<std::uint16_t>(in.ExpectIntegerIn("translation code page", 0, 0xFFFF));
  if (in.AcceptPunct(',')) in.Fail("only one translation is supported");
  if (!in.AcceptEnd()) in.Fail("expected END after the translation");
}

}  // namespace

VersionInfo ParseVersionInfo(TokenCursor& in) {
  VersionInfo version;
  while (!in.AcceptBegin()) {
    if (in.AcceptKeyword("FILEVERSION")) {
      ParseVersionNumbers(in, version.fileVersion);
    } else if (in.AcceptKeyword("PRODUCTVERSION")) {
      ParseVersionNumbers(in, version.productVersion);
    } else if (in.AcceptKeyword("FILEFLAGSMASK")) {
      version.fileFlagsMask = static_cast<std::uint32_t>(in.ExpectIntegerIn("file flags mask", 0, kMaxDword));
    } else if (in.AcceptKeyword("FILEFLAGS")) {
      version.fileFlags = static_cast<std::uint32_t>(in.ExpectIntegerIn("file flags", 0, kMaxDword));
    } else if (in.AcceptKeyword("FILEOS")) {
      version.fileOS = static_cast<std::uint32_t>(in.ExpectIntegerIn("file OS", 0, kMaxDword));
    } else if (in.AcceptKeyword("FILETYPE")) {
      version.fileType = static_cast<std::uint32_t>(in.ExpectIntegerIn("file type", 0, kMaxDword));
    } else if (in.AcceptKeyword("FILESUBTYPE")) {
      version.fileSubtype = static_cast<std::uint32_t>(in.ExpectIntegerIn("file subtype", 0, kMaxDword));
    } else {
      in.Fail(
          "unsupported VERSIONINFO statement; expected FILEVERSION, PRODUCTVERSION, FILEFLAGSMASK, FILEFLAGS, "
          "FILEOS, FILETYPE, FILESUBTYPE or BEGIN");
    }
  }
  while (!in.AcceptEnd()) {
    in.ExpectKeyword("BLOCK");
    const std::string block = in.ExpectString("version block name");
    if (block == "StringFileInfo")
      ParseStringFileInfo(in, version);
    else if (block == "VarFileInfo")
      ParseVarFileInfo(in, version);
    else
      in.Fail("unknown version block \"" + block + "\"; expected \"StringFileInfo\" or \"VarFileInfo\"");
  }
  return version;
}

}  // namespace rcc
