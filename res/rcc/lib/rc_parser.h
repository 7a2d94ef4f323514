// The resource statements the program's script uses: LANGUAGE, DIALOG and
// DIALOGEX with CONTROL lines, ICON, VERSIONINFO and STRINGTABLE.
#pragma once

#include <vector>

#include "res/rcc/lib/rc_lexer.h"
#include "res/rcc/lib/rc_model.h"

namespace rcc {

// The resources of a tokenized script. Icon files are read relative to the
// file that names them. Anything outside the subset fails with an RcError at
// its file and line.
ResourceScript ParseScript(const std::vector<Token>& tokens);

}  // namespace rcc
