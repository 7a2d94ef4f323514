// Changing a parsed hive: only the changed line differs afterwards, new values
// join their key's block, and every value written reads back the same.
#include <gtest/gtest.h>

#include "winapi/hive.h"

namespace {

using winapi::Hive;
using winapi::HiveValue;

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";

Hive Parse(const std::string& text) {
  winapi::HiveError error;
  std::optional<Hive> hive = winapi::ParseHive(text, &error);
  if (!hive) ADD_FAILURE() << "line " << error.line << ": " << error.message << "\n" << text;
  return hive.value_or(Hive{});
}

HiveValue Dword(std::string name, DWORD word) {
  return {std::move(name),
          REG_DWORD,
          {static_cast<BYTE>(word), static_cast<BYTE>(word >> 8), static_cast<BYTE>(word >> 16),
           static_cast<BYTE>(word >> 24)}};
}

const std::string kHive =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "; settings of another program\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
    "\"COM1\"=dword:00000005\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\n"
    "\"COM1\"=dword:00000001\n"
    "; keep this comment\n"
    "\"Com2\"=hex:01,02\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Later]\n"
    "\"x\"=\"y\"\n";

TEST(HiveEdit, ReplacingRewritesOnlyThatLine) {
  Hive hive = Parse(kHive);
  ASSERT_TRUE(winapi::SetHiveValue(hive, kKey, Dword("com1", 0x27)));
  std::string expected = kHive;
  const std::string old = "\"COM1\"=dword:00000001\n";
  expected.replace(expected.find(old), old.size(), "\"COM1\"=dword:00000027\n");
  EXPECT_EQ(winapi::SerializeHive(hive), expected) << "the value keeps the spelling of its name";
}

TEST(HiveEdit, ReplacingChangesTheTypeWhenAsked) {
  Hive hive = Parse(kHive);
  ASSERT_TRUE(winapi::SetHiveValue(hive, kKey, Dword("COM2", 0)));
  const std::string text = winapi::SerializeHive(hive);
  EXPECT_NE(text.find("\"Com2\"=dword:00000000\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("hex:01,02"), std::string::npos);
}

TEST(HiveEdit, NewValuesFollowTheLastValueOfTheKey) {
  Hive hive = Parse(kHive);
  ASSERT_TRUE(winapi::SetHiveValue(hive, kKey, Dword("COM3", 3)));
  std::string expected = kHive;
  const std::string after = "\"Com2\"=hex:01,02\n";
  expected.insert(expected.find(after) + after.size(), "\"COM3\"=dword:00000003\n");
  EXPECT_EQ(winapi::SerializeHive(hive), expected);
  EXPECT_EQ(Parse(expected), Parse(winapi::SerializeHive(hive)));
}

TEST(HiveEdit, AddsToAKeyWithoutValuesAndToALastLineWithoutEnding) {
  Hive empty = Parse("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\r\n; end\r\n");
  ASSERT_TRUE(winapi::SetHiveValue(empty, "HKEY_LOCAL_MACHINE\\a", Dword("v", 1)));
  EXPECT_EQ(winapi::SerializeHive(empty),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:00000001\r\n"
            "\r\n; end\r\n")
      << "lines added take the hive's own line ending";

  Hive unterminated = Parse("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]");
  ASSERT_TRUE(winapi::SetHiveValue(unterminated, "HKEY_LOCAL_MACHINE\\A", Dword("v", 2)));
  EXPECT_EQ(winapi::SerializeHive(unterminated),
            "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:00000002\n");

  Hive lastValue = Parse("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"u\"=dword:1");
  ASSERT_TRUE(winapi::SetHiveValue(lastValue, "HKEY_LOCAL_MACHINE\\A", Dword("u", 7)));
  EXPECT_EQ(winapi::SerializeHive(lastValue),
            "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"u\"=dword:00000007")
      << "a replaced line keeps its own (missing) ending";
}

TEST(HiveEdit, RefusesMissingKeysAndUnwritableNames) {
  Hive hive = Parse(kHive);
  const Hive before = hive;
  EXPECT_FALSE(winapi::SetHiveValue(hive, "HKEY_LOCAL_MACHINE\\System", Dword("COM1", 1)));
  EXPECT_FALSE(winapi::SetHiveValue(hive, kKey, Dword("line\nbreak", 1)));
  EXPECT_EQ(hive, before);
}

TEST(HiveEdit, EveryValueReadsBackAsWritten) {
  std::vector<BYTE> longData;
  for (int i = 0; i < 300; ++i) longData.push_back(static_cast<BYTE>(i * 7));
  const std::string text = "plain \"quoted\" back\\slash";
  const std::vector<HiveValue> values = {
      Dword("COM1", 0),
      Dword("COM225", 0xFFFFFFFF),
      Dword("", 0x12345678),
      {"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"two", REG_DWORD, {1, 0}},
      {"emptyBinary", REG_BINARY, {}},
      {"long", REG_BINARY, longData},
      {"text", REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1)},
      {"noTerminator", REG_SZ, {'a', 'b'}},
      {"tab\tand newline", REG_SZ, {'a', '\n', 'b', 0}},
      {"innerZero", REG_SZ, {'a', 0, 'b', 0}},
      {"\"quoted\" \\ name ]=[", 0xFFFFFFFF, {0xff}},
      {"@", REG_MULTI_SZ, {'a', 0, 0}},
      {"\xC3\xA9t\xC3\xA9", REG_EXPAND_SZ, {'%', 'x', '%', 0}},
  };
  Hive hive = Parse("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n");
  for (const HiveValue& value : values) {
    ASSERT_TRUE(winapi::SetHiveValue(hive, "HKEY_LOCAL_MACHINE\\A", value)) << value.name;
  }
  const std::string serialized = winapi::SerializeHive(hive);
  const Hive reread = Parse(serialized);
  for (const HiveValue& value : values) {
    const HiveValue* found = winapi::FindHiveValue(reread, "HKEY_LOCAL_MACHINE\\A", value.name);
    ASSERT_TRUE(found) << value.name;
    EXPECT_EQ(*found, value) << value.name << "\n" << serialized;
  }
  std::size_t lineStart = 0;
  while (lineStart < serialized.size()) {
    const std::size_t end = serialized.find('\n', lineStart);
    EXPECT_LE(end - lineStart, 80u) << "long hex data is continued over lines";
    lineStart = end + 1;
  }
}

TEST(HiveEdit, ValueLinesLookLikeTheEditorsOwn) {
  EXPECT_EQ(winapi::FormatHiveValue(Dword("COM3", 0x27), "\n"), "\"COM3\"=dword:00000027");
  EXPECT_EQ(winapi::FormatHiveValue({"COM5", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}}, "\n"),
            "\"COM5\"=hex(b):01,00,00,00,00,00,00,00");
  EXPECT_EQ(winapi::FormatHiveValue({"COM7", REG_BINARY, {1, 0}}, "\n"), "\"COM7\"=hex:01,00");
  EXPECT_EQ(winapi::FormatHiveValue({"Name", REG_SZ, {'a', '"', '\\', 0}}, "\n"), "\"Name\"=\"a\\\"\\\\\"");
  EXPECT_EQ(winapi::FormatHiveValue(Dword("", 1), "\n"), "@=dword:00000001");
}

}  // namespace
