#include "tests/scenario_tool/script/script_words.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

using Words = std::vector<std::string>;

Words Split(std::string_view line) {
  std::string error;
  auto words = SplitWords(line, &error);
  EXPECT_TRUE(words.has_value()) << line << ": " << error;
  return words.value_or(Words{});
}

std::string ErrorOf(std::string_view line) {
  std::string error;
  EXPECT_FALSE(SplitWords(line, &error).has_value()) << line;
  return error;
}

TEST(ScriptWords, BlanksSeparateWordsAndCommentsEndTheLine) {
  EXPECT_EQ(Split("  expect \t combos -1  0 1  "), (Words{"expect", "combos", "-1", "0", "1"}));
  EXPECT_EQ(Split("click 1 # the quit button"), (Words{"click", "1"}));
  EXPECT_EQ(Split("click 1# no blank before the comment"), (Words{"click", "1"}));
  EXPECT_EQ(Split("   # only a comment"), Words{});
  EXPECT_EQ(Split(""), Words{});
  EXPECT_EQ(Split("start\r"), Words{"start"});
}

TEST(ScriptWords, QuotedWordsKeepBlanksHashesAndEmptiness) {
  EXPECT_EQ(Split(R"(expect watch "COM3-HID_Touch_Digitizer-9600-PnP " "")"),
            (Words{"expect", "watch", "COM3-HID_Touch_Digitizer-9600-PnP ", ""}));
  EXPECT_EQ(Split(R"(expect text 1 "# not a comment")"), (Words{"expect", "text", "1", "# not a comment"}));
  EXPECT_EQ(Split(R"("a"# comment)"), Words{"a"});
}

TEST(ScriptWords, EscapesInsideQuotes) {
  EXPECT_EQ(Split(R"("say \"hi\"")"), Words{"say \"hi\""});
  EXPECT_EQ(Split(R"("back\\slash")"), Words{"back\\slash"});
  EXPECT_EQ(Split(R"("line\n")"), Words{"line\n"});
  EXPECT_EQ(Split(R"(ROOT\TAVRIN)"), Words{"ROOT\\TAVRIN"});  // no escapes outside quotes
  EXPECT_EQ(Split(R"("restart ROOT\TAVRIN" "tab\t")"), (Words{"restart ROOT\\TAVRIN", "tab\\t"}));
  EXPECT_EQ(Split(R"("\\n")"), Words{"\\n"});
}

TEST(ScriptWords, MalformedQuotingIsRefused) {
  EXPECT_NE(ErrorOf(R"("open)").find("not closed"), std::string::npos);
  EXPECT_NE(ErrorOf(R"("ends with backslash\)").find("not closed"), std::string::npos);
  EXPECT_NE(ErrorOf(R"(half"quoted")").find("quote inside a word"), std::string::npos);
  EXPECT_NE(ErrorOf(R"("quoted"tail)").find("end at a blank"), std::string::npos);
}

TEST(ScriptWords, QuoteWordReadsBackAsTheSameText) {
  for (const std::string text : {"", "plain", "two words", "q\"uote", "back\\slash", "line\nfeed", "# hash"}) {
    EXPECT_EQ(Split(QuoteWord(text)), Words{text}) << QuoteWord(text);
  }
}

}  // namespace
}  // namespace scenario
