// The text order of sorted list boxes.
#include <gtest/gtest.h>

#include "framework/linux/text_order.h"

using framework::CompareListText;

namespace {

bool Before(const char* a, const char* b) { return CompareListText(a, b) < 0 && CompareListText(b, a) > 0; }

TEST(TextOrder, IgnoresCase) {
  EXPECT_EQ(CompareListText("com1", "COM1"), 0);
  EXPECT_TRUE(Before("apple", "Banana"));
  EXPECT_TRUE(Before("Apple", "banana"));
}

TEST(TextOrder, HyphensAndApostrophesCountOnlyToBreakTies) {
  // Compared as "COM10x" and "COM1y": the digit 0 goes before the letter y.
  EXPECT_TRUE(Before("COM10-x", "COM1-y"));
  EXPECT_TRUE(Before("COM10-HID_Touch_Digitizer", "COM1-Traditional_Touch_Screen"));
  EXPECT_TRUE(Before("cant", "can't-x"));
}

// As Wine orders them: fewer first, a later one before an earlier one, an
// apostrophe before a hyphen; case breaks no tie.
TEST(TextOrder, HyphensAndApostrophesBreakTiesByPlace) {
  EXPECT_TRUE(Before("coop", "co-op"));
  EXPECT_TRUE(Before("its", "it's"));
  EXPECT_TRUE(Before("coo-p", "co-op"));
  EXPECT_TRUE(Before("ab-c", "a-b-c"));
  EXPECT_TRUE(Before("a-b", "a--b"));
  EXPECT_TRUE(Before("ab-", "-ab"));
  EXPECT_TRUE(Before("a'b", "a-b"));
  EXPECT_EQ(CompareListText("COM1-x-NoPnP ", "com1-X-NoPnp "), 0);
}

TEST(TextOrder, PunctuationThenDigitsThenLetters) {
  EXPECT_TRUE(Before("a_b", "a1b"));
  EXPECT_TRUE(Before("a b", "a1b"));
  EXPECT_TRUE(Before("a9", "aa"));
  EXPECT_TRUE(Before("z", "\xc3\xa9"));  // a multi-byte letter after the ASCII ones
}

TEST(TextOrder, APrefixGoesFirst) {
  EXPECT_TRUE(Before("COM", "COM1"));
  EXPECT_TRUE(Before("", "a"));
  EXPECT_EQ(CompareListText("", ""), 0);
}

}  // namespace
