// How the transcript and failure messages write texts, bytes and words: the
// way a scenario file writes them, so a found value can be pasted back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

// Adds `word` to a list of words separated by `separator`.
void AppendWord(std::string& list, const std::string& word, const char* separator = " ");
// Quoted words separated by blanks; "(none)" for an empty list.
std::string QuotedList(const std::vector<std::string>& texts);
// Upper-case hex, two digits per byte: "0A0142".
std::string HexText(const Bytes& bytes);
// Hex words separated by blanks; "(none)" for an empty list.
std::string HexList(const std::vector<Bytes>& writes);
// "0x27".
std::string WordText(std::uint32_t word);
// "102/4": the string the box showed, then its type; "other/0" for a box whose
// text is none of the program's strings (one the platform shows on its own).
std::string BoxName(const BoxSeen& box);
// Box names separated by blanks; "(none)" for an empty list.
std::string BoxList(const std::vector<BoxSeen>& boxes);

}  // namespace scenario
