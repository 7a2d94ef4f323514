// tavrin_menu_texts TEMPLATE OUTPUT SCRIPT.rc...: writes the menu entry or
// the polkit action with its texts in every language of the scripts' string
// tables. Each template line with @LOCALE@ is written once per language but
// English, the template's own: @LOCALE@ becomes the language's locale name,
// @STRING:N@ string N of the language. A template that starts with an XML
// declaration gets its texts escaped for XML, any other the escapes of a
// desktop entry. A string missing in a language fails the build.
#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <utility>

#include "res/rcc/lib/rc_lexer.h"
#include "res/rcc/lib/rc_parser.h"

namespace {

// The dialog's languages (LANGID) by their locale names, English left out.
const std::pair<unsigned, const char*> kLocales[] = {
    {1028, "zh_TW"}, {1031, "de"}, {1036, "fr"},    {1040, "it"},    {1041, "ja"}, {1042, "ko"},
    {1043, "nl"},    {1049, "ru"}, {2052, "zh_CN"}, {3076, "zh_HK"}, {3082, "es"}, {4100, "zh_SG"},
};

// A desktop entry's and an XML file's escapes.
const std::map<char, std::string> kXmlEscapes = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};
const std::map<char, std::string> kDesktopEntryEscapes = {{'\\', "\\\\"}, {'\n', "\\n"}, {'\r', "\\r"}, {'\t', "\\t"}};

std::string Escaped(const std::string& text, const std::map<char, std::string>& escapes) {
  std::string escaped;
  for (const char c : text) {
    const auto found = escapes.find(c);
    escaped += found != escapes.end() ? found->second : std::string(1, c);
  }
  return escaped;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: tavrin_menu_texts TEMPLATE OUTPUT SCRIPT.rc...\n";
    return 2;
  }
  const std::string templatePath = argv[1];
  const std::string outputPath = argv[2];
  try {
    std::map<std::pair<unsigned, unsigned>, std::string> strings;  // (language, id) -> text
    for (int i = 3; i < argc; ++i) {
      for (const rcc::StringResource& entry : rcc::ParseScript(rcc::TokenizeFile(argv[i])).strings) {
        strings[{entry.language, entry.id}] = entry.text;
      }
    }
    std::ifstream input(templatePath, std::ios::binary);
    if (!input) throw std::runtime_error(templatePath + ": cannot read");
    std::ostringstream output;
    const std::regex stringReference("@STRING:([0-9]+)@");
    bool xml = false;
    int lineNumber = 0;
    for (std::string line; std::getline(input, line);) {
      if (++lineNumber == 1) xml = line.starts_with("<?xml");
      if (line.find("@LOCALE@") == std::string::npos) {
        output << line << '\n';
        continue;
      }
      for (const auto& [language, locale] : kLocales) {
        std::string localized = std::regex_replace(line, std::regex("@LOCALE@"), locale);
        std::smatch match;
        while (std::regex_search(localized, match, stringReference)) {
          const unsigned id = static_cast<unsigned>(std::stoul(match[1].str()));
          const auto found = strings.find({language, id});
          if (found == strings.end()) {
            throw std::runtime_error(templatePath + ":" + std::to_string(lineNumber) + ": no string " +
                                     std::to_string(id) + " in language " + std::to_string(language));
          }
          const std::string text = Escaped(found->second, xml ? kXmlEscapes : kDesktopEntryEscapes);
          localized.replace(match.position(0), match.length(0), text);
        }
        output << localized << '\n';
      }
    }
    std::ofstream file(outputPath, std::ios::binary | std::ios::trunc);
    file << output.str();
    if (!file.flush()) throw std::runtime_error(outputPath + ": cannot write");
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
