// Reading the export syntax: values decoded, text kept byte for byte, and the
// line named for every kind of text that is not a hive.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "winapi/hive.h"

namespace {

using winapi::Hive;
using winapi::HiveError;
using winapi::HiveValue;
using winapi::ParseHive;

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";

const std::string kSample =
    "Windows Registry Editor Version 5.00\r\n"
    "; exported by hand\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"Keep\"=\"me\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\r\n"
    "\"COM3\"=dword:00000027\r\n"
    "; a comment between values\r\n"
    "\"COM5\"=hex(b):01,00,00,00,00,00,00,00\r\n"
    "\"COM7\"=hex:01,00\r\n"
    "\"Name\"=\"say \\\"hi\\\" to C:\\\\dir\"\r\n"
    "@=dword:1\r\n"
    "\"Long\"=hex(2):41,42,\\\r\n"
    "  43,00\r\n"
    "\r\n";

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
  std::vector<BYTE> bytes;
  for (const int value : values) bytes.push_back(static_cast<BYTE>(value));
  return bytes;
}

TEST(HiveParse, DecodesEveryValueForm) {
  HiveError error;
  const std::optional<Hive> hive = ParseHive(kSample, &error);
  ASSERT_TRUE(hive) << error.line << ": " << error.message;
  EXPECT_EQ(hive->newline, "\r\n");
  ASSERT_EQ(hive->keys.size(), 2u);

  const HiveValue* word = winapi::FindHiveValue(*hive, kKey, "COM3");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(word->data, Bytes({0x27, 0, 0, 0}));

  const HiveValue* quad = winapi::FindHiveValue(*hive, kKey, "COM5");
  ASSERT_TRUE(quad);
  EXPECT_EQ(quad->type, static_cast<DWORD>(REG_QWORD));
  EXPECT_EQ(quad->data, Bytes({1, 0, 0, 0, 0, 0, 0, 0}));

  const HiveValue* binary = winapi::FindHiveValue(*hive, kKey, "COM7");
  ASSERT_TRUE(binary);
  EXPECT_EQ(binary->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(binary->data, Bytes({1, 0}));

  const HiveValue* text = winapi::FindHiveValue(*hive, kKey, "Name");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
  const std::string expected = "say \"hi\" to C:\\dir";
  EXPECT_EQ(std::string(text->data.begin(), text->data.end()), expected + '\0');

  const HiveValue* defaultValue = winapi::FindHiveValue(*hive, kKey, "");
  ASSERT_TRUE(defaultValue);
  EXPECT_EQ(defaultValue->data, Bytes({1, 0, 0, 0}));

  const HiveValue* continued = winapi::FindHiveValue(*hive, kKey, "Long");
  ASSERT_TRUE(continued);
  EXPECT_EQ(continued->type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(continued->data, Bytes({'A', 'B', 'C', 0}));

  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "Keep"), nullptr) << "values belong to their own key";
}

TEST(HiveParse, SerializesUnchangedTextByteForByte) {
  for (const std::string& text :
       {kSample, std::string("Windows Registry Editor Version 5.00"),
        std::string("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex:"),
        std::string("Windows Registry Editor Version 5.00  \n\t; indented comment\n  [hkey_local_machine\\a]  \n"
                    "  \"x\" = dword:ABCDEF01\t\n")}) {
    HiveError error;
    const std::optional<Hive> hive = ParseHive(text, &error);
    ASSERT_TRUE(hive) << text << "\n" << error.line << ": " << error.message;
    EXPECT_EQ(winapi::SerializeHive(*hive), text);
  }
}

TEST(HiveParse, LenientFormsDecode) {
  const std::optional<Hive> hive = ParseHive(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\A]\n"
      "\"short\"=DWORD:7\n"
      "\"upper\"=HEX(B):0A,B\n"
      "\"empty\"=hex:\n"
      "\"continuedAtStart\"=hex:\\\n"
      "  01 , 02\n",
      nullptr);
  ASSERT_TRUE(hive);
  const std::string key = "HKEY_LOCAL_MACHINE\\A";
  EXPECT_EQ(winapi::FindHiveValue(*hive, key, "short")->data, Bytes({7, 0, 0, 0}));
  EXPECT_EQ(winapi::FindHiveValue(*hive, key, "upper")->data, Bytes({0x0a, 0x0b}));
  EXPECT_EQ(winapi::FindHiveValue(*hive, key, "upper")->type, static_cast<DWORD>(REG_QWORD));
  EXPECT_TRUE(winapi::FindHiveValue(*hive, key, "empty")->data.empty());
  EXPECT_EQ(winapi::FindHiveValue(*hive, key, "continuedAtStart")->data, Bytes({1, 2}));
}

TEST(HiveParse, NamesCompareWithoutCaseAndTheLastDefinitionWins) {
  const std::optional<Hive> hive = ParseHive(
      "Windows Registry Editor Version 5.00\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\n"
      "\"COM1\"=dword:00000001\n"
      "[HKEY_LOCAL_MACHINE\\Other]\n"
      "\"COM1\"=dword:00000009\n"
      "[hkey_local_machine\\SYSTEM\\currentcontrolset\\services\\TAVRIN]\n"
      "\"com1\"=dword:00000002\n",
      nullptr);
  ASSERT_TRUE(hive);
  EXPECT_TRUE(winapi::HiveHasKey(*hive, "HKEY_LOCAL_MACHINE\\OTHER"));
  EXPECT_FALSE(winapi::HiveHasKey(*hive, "HKEY_LOCAL_MACHINE\\System")) << "a parent without a header does not exist";
  const HiveValue* value = winapi::FindHiveValue(*hive, kKey, "Com1");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->data, Bytes({2, 0, 0, 0}));
  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "COM2"), nullptr);
  EXPECT_EQ(winapi::FindHiveValue(*hive, "HKEY_LOCAL_MACHINE\\Missing", "COM1"), nullptr);
}

struct BadHive {
  std::string text;
  int line;
  std::string messagePart;
};

TEST(HiveParse, NamesTheLineThatIsWrong) {
  const std::string head = "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n";
  const std::vector<BadHive> cases = {
      {"", 1, "empty file"},
      {"Windows Registry Editor Version 4.00\n", 1, "first line"},
      {std::string("\xFE\xFF\0W\0i", 6), 1, "big-endian"},
      {std::string("\xFF\xFEW\0\n\0i", 7), 2, "half a character"},
      {std::string("\xFF\xFEW\0\n\0\x00\xDC", 8), 2, "surrogate"},
      {"Windows Registry Editor Version 5.00\n\"x\"=dword:1\n", 2, "outside any key"},
      {"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n", 3, "HKEY_LOCAL_MACHINE"},
      {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\\\A]\n", 2, "empty name"},
      {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A\\]\n", 2, "empty name"},
      {"Windows Registry Editor Version 5.00\n[-HKEY_LOCAL_MACHINE\\A]\n", 2, "deletions"},
      {"Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A\n", 2, "closing ']'"},
      {head + "\"x\"=-\n", 3, "deletions"},
      {head + "\"x\"=dword:123456789\n", 3, "dword"},
      {head + "\"x\"=dword:\n", 3, "dword"},
      {head + "\"x\"=dword:12 34\n", 3, "dword"},
      {head + "\"x\"=dword:0x12\n", 3, "dword"},
      {head + "\"x\"=hex:1g\n", 3, "','"},
      {head + "\"x\"=hex:123\n", 3, "1 or 2 hex digits"},
      {head + "\"x\"=hex:01,\n", 3, "missing after ','"},
      {head + "\"x\"=hex:01 02\n", 3, "','"},
      {head + "\"x\"=hex(zz):01\n", 3, "hex(N)"},
      {head + "\"x\"=hex(123456789):01\n", 3, "hex(N)"},
      {head + "\"x\"=hex;01\n", 3, "':'"},
      {head + "\"x\"=hex:01,\\\n", 3, "file ends"},
      {head + "\"x\"=hex:01,\\\n  02,\\\n  zz\n", 5, "1 or 2 hex digits"},
      {head + "\"x\"=\"unterminated\n", 3, "closing quote"},
      {head + "\"x=dword:1\n", 3, "closing quote"},
      {head + "\"x\"=\"a\\tb\"\n", 3, "escape"},
      {head + "\"x\"=\"a\" trailing\n", 3, "after the closing quote"},
      {head + "\"x\" dword:1\n", 3, "'='"},
      {head + "\"x\"=text\n", 3, "value data"},
      {head + "\"x\"=dword:1\nplain words\n", 4, "expected a [key]"},
      {head + std::string("\"x\"=\"a\0b\"\n", 10), 3, "control character 0x00"},
      {head + "\"x\"=dword:1\r\r\n", 3, "control character 0x0D"},
  };
  for (const BadHive& bad : cases) {
    HiveError error;
    EXPECT_FALSE(ParseHive(bad.text, &error)) << bad.text;
    EXPECT_EQ(error.line, bad.line) << bad.text << " -> " << error.message;
    EXPECT_NE(error.message.find(bad.messagePart), std::string::npos)
        << bad.text << " -> " << error.message << " (expected it to mention " << bad.messagePart << ")";
  }
}

// Random damage to a valid hive never crashes the parser; what still parses
// serializes back to the same bytes, and what does not names a line of the text.
TEST(HiveParse, SurvivesRandomDamage) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 3000; ++round) {
    std::string text = kSample;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int edit = 0; edit < edits; ++edit) {
      const std::size_t at = random() % (text.size() + 1);
      switch (random() % 3) {
        case 0:
          text.insert(at, 1, static_cast<char>(random() % 256));
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1 + random() % 8);
          break;
        default:
          if (at < text.size()) text[at] = "\\\",:[]@=-;\n\r0aF("[random() % 16];
          break;
      }
    }
    HiveError error;
    const std::optional<Hive> hive = ParseHive(text, &error);
    if (hive) {
      EXPECT_EQ(winapi::SerializeHive(*hive), text);
    } else {
      const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
      EXPECT_GE(error.line, 1);
      EXPECT_LE(error.line, lines) << text;
      EXPECT_FALSE(error.message.empty());
    }
  }
}

}  // namespace
