#include "tests/scenario_tool/script/text_format.h"

#include <cstdio>

#include "tests/scenario_tool/script/script_words.h"

namespace scenario {
namespace {

template <class Item, class Format>
std::string Joined(const std::vector<Item>& items, Format format) {
  if (items.empty()) return "(none)";
  std::string joined;
  for (const Item& item : items) AppendWord(joined, format(item));
  return joined;
}

}  // namespace

void AppendWord(std::string& list, const std::string& word, const char* separator) {
  if (!list.empty()) list += separator;
  list += word;
}

std::string QuotedList(const std::vector<std::string>& texts) {
  return Joined(texts, [](const std::string& text) { return QuoteWord(text); });
}

std::string HexText(const Bytes& bytes) {
  std::string hex;
  for (std::uint8_t byte : bytes) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    hex += pair;
  }
  return hex;
}

std::string HexList(const std::vector<Bytes>& writes) { return Joined(writes, HexText); }

std::string WordText(std::uint32_t word) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", word);
  return text;
}

std::string BoxName(const BoxSeen& box) {
  return (box.stringId == kOtherBox ? std::string("other") : std::to_string(box.stringId)) + "/" +
         std::to_string(box.type);
}

std::string BoxList(const std::vector<BoxSeen>& boxes) { return Joined(boxes, BoxName); }

}  // namespace scenario
