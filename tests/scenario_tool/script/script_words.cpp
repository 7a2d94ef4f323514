#include "tests/scenario_tool/script/script_words.h"

namespace scenario {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a quoted word starting at the opening quote; advances `at` past the
// closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& at, std::string* error) {
  std::string word;
  for (++at; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      ++at;
      if (at < line.size() && !IsBlank(line[at]) && line[at] != '#') {
        *error = "a quoted word must end at a blank";
        return std::nullopt;
      }
      return word;
    }
    if (c != '\\') {
      word += c;
      continue;
    }
    if (++at == line.size()) break;
    switch (line[at]) {
      case '"':
        word += '"';
        break;
      case '\\':
        word += '\\';
        break;
      case 'n':
        word += '\n';
        break;
      default:
        // Any other backslash stands for itself, as in "ROOT\TAVRIN".
        word += '\\';
        --at;
    }
  }
  *error = "a quoted word is not closed";
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<std::string>> SplitWords(std::string_view line, std::string* error) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < line.size()) {
    if (IsBlank(line[at])) {
      ++at;
    } else if (line[at] == '#') {
      break;
    } else if (line[at] == '"') {
      auto word = ReadQuoted(line, at, error);
      if (!word) return std::nullopt;
      words.push_back(std::move(*word));
    } else {
      const std::size_t start = at;
      while (at < line.size() && !IsBlank(line[at]) && line[at] != '#') {
        if (line[at] == '"') {
          *error = "a quote inside a word (quote the whole word)";
          return std::nullopt;
        }
        ++at;
      }
      words.emplace_back(line.substr(start, at - start));
    }
  }
  return words;
}

std::string QuoteWord(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

}  // namespace scenario
