// Reads a whole scenario file into directives before anything runs, so that a
// line the tool does not understand stops the scenario before it starts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

struct ParseError {
  int line;  // 0 when the file itself cannot be read
  std::string message;
};

// One directive from the words of one line, or the reason it is not understood.
std::variant<Directive, std::string> ParseDirective(const std::vector<std::string>& words);

// The whole text: every line understood, in an order that can run (world and
// answers before start, actions and checks after it, start once). Every line
// not understood is listed in *errors.
std::optional<Script> ParseScript(std::string_view text, const std::string& path, std::vector<ParseError>* errors);

std::optional<Script> ReadScript(const std::string& path, std::vector<ParseError>* errors);

}  // namespace scenario
