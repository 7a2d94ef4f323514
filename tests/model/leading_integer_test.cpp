// The number at the start of a baud field, as the diagnostic line of Apply
// shows it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "model/watch_entry.h"

namespace model {
namespace {

TEST(LeadingInteger, BaudTextsGiveTheirRates) {
  EXPECT_EQ(LeadingInteger("1200"), 0x4B0);
  EXPECT_EQ(LeadingInteger("2400"), 0x960);
  EXPECT_EQ(LeadingInteger("4800"), 0x12C0);
  EXPECT_EQ(LeadingInteger("9600"), 0x2580);
  EXPECT_EQ(LeadingInteger("19200"), 0x4B00);
  EXPECT_EQ(LeadingInteger("57600"), 0xE100);
  EXPECT_EQ(LeadingInteger("Auto_Scan"), 0);
}

TEST(LeadingInteger, ReadsLikeAtoiWithinTheRangeOfInt) {
  for (const char* text : {"", " ", "abc", "42", "  42", "\t\n\v\f\r 42", "+42", "-42", "- 42", "+-42", "42abc", "0042",
                           "-0", "2147483647", "-2147483648", "12 34", "--1", "+"}) {
    EXPECT_EQ(LeadingInteger(text), std::atoi(text)) << '"' << text << '"';
  }
}

TEST(LeadingInteger, StopsAtTheEndOfTheView) {
  const std::string_view field = std::string_view("123456").substr(0, 3);
  EXPECT_EQ(LeadingInteger(field), 123);
}

TEST(LeadingInteger, SaturatesBeyondTheRangeOfInt) {
  EXPECT_EQ(LeadingInteger("2147483648"), INT_MAX);
  EXPECT_EQ(LeadingInteger("-2147483649"), INT_MIN);
  EXPECT_EQ(LeadingInteger("99999999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(LeadingInteger("-" + std::string(10000, '9')), INT_MIN);
  EXPECT_EQ(LeadingInteger(std::string(10000, '0') + "7"), 7);
}

}  // namespace
}  // namespace model
