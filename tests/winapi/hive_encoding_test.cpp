// Hives as the platform's registry editor writes them: UTF-16LE with a
// byte-order mark and CRLF line ends, default values and strings beside the
// words, and the older REGEDIT4 form. They read as they are and keep their
// encoding and line ends through changes.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/utf16_file.h"
#include "winapi/hive.h"

namespace {

using winapi::Hive;
using winapi::HiveEncoding;
using winapi::HiveError;
using winapi::HiveValue;

using test_support::Utf16LeFile;

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin";

// An export of the driver's key: strings, an expandable string in hex(2), a
// default value, a word, a character outside the BMP, and a subkey.
const std::u16string kExport =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin]\r\n"
    u"@=\"\"\r\n"
    u"\"Type\"=dword:00000001\r\n"
    u"\"ImagePath\"=hex(2):53,00,79,00,73,00,00,00\r\n"
    u"\"DisplayName\"=\"TAVRIN caf\u00e9 \U0001F600\"\r\n"
    u"\"COM1\"=dword:00000027\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin\\Enum]\r\n"
    u"\"Count\"=dword:00000001\r\n"
    u"\r\n";

std::vector<BYTE> Text(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

TEST(HiveEncoding, AUtf16ExportReadsAndKeepsItsBytes) {
  const std::string file = Utf16LeFile(kExport);
  HiveError error;
  const std::optional<Hive> hive = winapi::ParseHive(file, &error);
  ASSERT_TRUE(hive) << error.line << ": " << error.message;
  EXPECT_EQ(hive->encoding, HiveEncoding::Utf16Le);
  EXPECT_EQ(hive->newline, "\r\n");
  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "COM1")->data, (std::vector<BYTE>{0x27, 0, 0, 0}));
  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "")->data, Text("")) << "the default value";
  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "DisplayName")->data, Text("TAVRIN caf\xC3\xA9 \xF0\x9F\x98\x80"));
  EXPECT_EQ(winapi::FindHiveValue(*hive, kKey, "ImagePath")->type, 2u);
  EXPECT_EQ(winapi::SerializeHive(*hive), file);
}

TEST(HiveEncoding, ChangesKeepTheEncodingAndTheLineEnds) {
  std::optional<Hive> hive = winapi::ParseHive(Utf16LeFile(kExport), nullptr);
  ASSERT_TRUE(hive);
  ASSERT_TRUE(winapi::SetHiveValue(*hive, kKey, {"COM1", REG_DWORD, {0x21, 0, 0, 0}}));
  ASSERT_TRUE(winapi::SetHiveValue(*hive, kKey, {"COM2", REG_DWORD, {0x27, 0, 0, 0}}));
  ASSERT_TRUE(winapi::SetHiveValue(*hive, kKey, {"Note", REG_SZ, Text("\xC3\xA9t\xC3\xA9")}));
  std::u16string expected = kExport;
  expected.replace(expected.find(u"dword:00000027"), 14, u"dword:00000021");
  expected.insert(expected.find(u"\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin\\Enum]") + 2,
                  u"\"COM2\"=dword:00000027\r\n\"Note\"=\"\u00e9t\u00e9\"\r\n");
  EXPECT_EQ(winapi::SerializeHive(*hive), Utf16LeFile(expected));
}

TEST(HiveEncoding, WhatAUtf16FileCannotHoldIsRefusedOrWrittenAsBytes) {
  std::optional<Hive> hive = winapi::ParseHive(Utf16LeFile(kExport), nullptr);
  ASSERT_TRUE(hive);
  const HiveValue badName{"COM\xFF", REG_DWORD, {1, 0, 0, 0}};
  EXPECT_FALSE(winapi::CanFormatHiveValue(badName, HiveEncoding::Utf16Le));
  EXPECT_TRUE(winapi::CanFormatHiveValue(badName, HiveEncoding::Utf8));
  EXPECT_FALSE(winapi::SetHiveValue(*hive, kKey, badName));

  ASSERT_TRUE(winapi::SetHiveValue(*hive, kKey, {"Latin1", REG_SZ, Text("caf\xE9")}));
  const std::optional<Hive> again = winapi::ParseHive(winapi::SerializeHive(*hive), nullptr);
  ASSERT_TRUE(again);
  EXPECT_EQ(winapi::FindHiveValue(*again, kKey, "Latin1")->data, Text("caf\xE9")) << "kept as hex(1) bytes";
}

TEST(HiveEncoding, TheOlderFormReadsAndKeepsItsBytes) {
  const std::string file =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\r\n"
      "\"COM3\"=dword:00000027\r\n\"Name\"=\"caf\xE9\"\r\n";
  std::optional<Hive> hive = winapi::ParseHive(file, nullptr);
  ASSERT_TRUE(hive);
  EXPECT_EQ(hive->encoding, HiveEncoding::Utf8);
  EXPECT_EQ(winapi::SerializeHive(*hive), file);
  ASSERT_TRUE(winapi::SetHiveValue(*hive, kKey, {"COM4", REG_DWORD, {1, 0, 0, 0}}));
  EXPECT_EQ(winapi::SerializeHive(*hive), file + "\"COM4\"=dword:00000001\r\n");
}

}  // namespace
