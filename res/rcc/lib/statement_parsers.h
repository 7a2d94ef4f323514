// Parsers of the single resource statements, each called after its keyword.
#pragma once

#include <cstdint>

#include "res/rcc/lib/rc_model.h"
#include "res/rcc/lib/token_cursor.h"

namespace rcc {

// LANGUAGE primary, sublanguage: the LANGID.
std::uint16_t ParseLanguage(TokenCursor& in);
// DIALOG or DIALOGEX: position, options and the CONTROL lines.
Dialog ParseDialog(TokenCursor& in, int id, bool extended, std::uint16_t language);
// VERSIONINFO: the fixed part, one string block and the translation.
VersionInfo ParseVersionInfo(TokenCursor& in);

}  // namespace rcc
