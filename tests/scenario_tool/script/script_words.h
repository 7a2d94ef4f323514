// One line of a scenario file as words: blanks separate words, a word in
// double quotes keeps its blanks (with \" \\ and \n inside; any other
// backslash stands for itself), and # outside a quoted word starts a comment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// The words of one line, or nullopt with the reason in *error.
std::optional<std::vector<std::string>> SplitWords(std::string_view line, std::string* error);

// The text as a quoted word that SplitWords reads back as the same text.
std::string QuoteWord(std::string_view text);

}  // namespace scenario
