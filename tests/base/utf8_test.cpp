#include "base/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t LengthOf(std::string_view text) {
  std::size_t length = 0;
  base::DecodeUtf8(text, length);
  return length;
}

TEST(Utf8, DecodesEveryLengthAndEncodesBack) {
  for (const char32_t code : {U'A', U'é', U'新', U'😀', char32_t{0x10FFFF}}) {
    std::string text;
    base::AppendUtf8(text, code);
    std::size_t length = 0;
    EXPECT_EQ(base::DecodeUtf8(text, length), code);
    EXPECT_EQ(length, text.size());
  }
}

TEST(Utf8, RefusesWhatIsNotWellFormed) {
  EXPECT_EQ(LengthOf("\x80"), 0u);              // a continuation byte first
  EXPECT_EQ(LengthOf("\xC0\xAF"), 0u);          // overlong '/'
  EXPECT_EQ(LengthOf("\xE0\x80\xAF"), 0u);      // overlong, three bytes
  EXPECT_EQ(LengthOf("\xED\xA0\x80"), 0u);      // a surrogate
  EXPECT_EQ(LengthOf("\xF4\x90\x80\x80"), 0u);  // past U+10FFFF
  EXPECT_EQ(LengthOf("\xE6\x96"), 0u);          // cut short
  EXPECT_EQ(LengthOf("\xE6\x41\x96"), 0u);      // a broken sequence
  EXPECT_EQ(LengthOf(""), 0u);
  EXPECT_TRUE(base::IsValidUtf8("COM1 新細明體 😀"));
  EXPECT_FALSE(base::IsValidUtf8("COM1 \xE6\x96"));
  EXPECT_TRUE(base::IsAscii("COM1-HID"));
  EXPECT_FALSE(base::IsAscii("é"));
}

TEST(Utf8, CutsBetweenCharactersOnly) {
  const std::string text = "a新b";  // 1 + 3 + 1 bytes
  EXPECT_EQ(base::Utf8FittingLength(text, 10), 5u);
  EXPECT_EQ(base::Utf8FittingLength(text, 4), 4u);
  EXPECT_EQ(base::Utf8FittingLength(text, 3), 1u);
  EXPECT_EQ(base::Utf8FittingLength(text, 0), 0u);

  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(base::CopyUtf8Cut(text, buffer, sizeof buffer), 1u);
  EXPECT_STREQ(buffer, "a");
  EXPECT_EQ(base::CopyUtf8Cut(text, buffer, 0), 0u);
  EXPECT_EQ(buffer[0], 'a');  // a buffer of no bytes is left alone
  EXPECT_EQ(base::CopyUtf8Cut(text, nullptr, 8), 0u);
}

}  // namespace
