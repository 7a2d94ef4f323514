// Hives nobody should have but someone will: huge, binary junk, not a file,
// keys without values, strange names and types. No crash, no hang, and a
// hive that does not parse is never rewritten.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <random>

#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace {

using test_support::kServiceSubKey;
using test_support::ServiceKeyHive;
using test_support::TempPrefix;

class RegistryOddHives : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(winapi::OpenKeyCount(), 0); }

  // Opens the service key; the result, and what went to standard error.
  LONG OpenCapturingErrors(REGSAM access, HKEY& key, std::string& errors) {
    ::testing::internal::CaptureStderr();
    const LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, access, &key);
    errors = ::testing::internal::GetCapturedStderr();
    return result;
  }

  void ExpectRefusedAndUntouched(const std::string& what) {
    const std::string before = m_prefix.ReadHive();
    for (const REGSAM access : {KEY_READ, KEY_ALL_ACCESS}) {
      HKEY key = nullptr;
      std::string errors;
      EXPECT_EQ(OpenCapturingErrors(access, key, errors), ERROR_BADDB) << what;
      EXPECT_EQ(errors.rfind(m_prefix.HivePath() + ":", 0), 0u) << what << ": " << errors;
      EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << what << ": " << errors;
    }
    EXPECT_EQ(m_prefix.ReadHive(), before) << what;
    EXPECT_EQ(m_prefix.HiveFiles().count("hklm.reg.tmp"), 0u);
  }

  static LONG SetWord(HKEY key, LPCSTR name, DWORD word) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
  }

  static DWORD ReadWord(HKEY key, LPCSTR name, LONG expected = ERROR_SUCCESS) {
    DWORD word = 0;
    DWORD size = sizeof word;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size), expected) << name;
    return word;
  }

  TempPrefix m_prefix;
};

TEST_F(RegistryOddHives, BinaryJunkIsRefused) {
  std::mt19937 random(99);
  std::string junk(64 * 1024, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  m_prefix.WriteHive(junk);
  ExpectRefusedAndUntouched("junk");
  m_prefix.WriteHive("Windows Registry Editor Version 5.00\n" + junk);
  ExpectRefusedAndUntouched("junk after the version line");
  m_prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000001\n") + junk);
  ExpectRefusedAndUntouched("junk after the service key");
}

TEST_F(RegistryOddHives, SomethingOtherThanAFileIsRefusedWithoutHanging) {
  ASSERT_EQ(::mkdir(m_prefix.HivePath().c_str(), 0755), 0);
  HKEY key = nullptr;
  std::string errors;
  EXPECT_EQ(OpenCapturingErrors(KEY_READ, key, errors), ERROR_BADDB);
  EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
  ASSERT_EQ(::rmdir(m_prefix.HivePath().c_str()), 0);

  ASSERT_EQ(::mkfifo(m_prefix.HivePath().c_str(), 0644), 0);
  EXPECT_EQ(OpenCapturingErrors(KEY_ALL_ACCESS, key, errors), ERROR_BADDB) << "a FIFO nobody writes";
  EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
}

TEST_F(RegistryOddHives, AHiveTooLargeIsRefusedUnread) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  ASSERT_EQ(::truncate(m_prefix.HivePath().c_str(), 65 * 1024 * 1024), 0);
  HKEY key = nullptr;
  std::string errors;
  EXPECT_EQ(OpenCapturingErrors(KEY_READ, key, errors), ERROR_BADDB);
  EXPECT_NE(errors.find("too large"), std::string::npos) << errors;
}

TEST_F(RegistryOddHives, AKeyHeaderWithoutValues) {
  m_prefix.WriteHive(ServiceKeyHive("") + "[HKEY_LOCAL_MACHINE\\Next]\n\"COM1\"=dword:00000005\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  ReadWord(key, "COM1", ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(SetWord(key, "COM1", 1), ERROR_SUCCESS);
  EXPECT_EQ(ReadWord(key, "COM1"), 1u);
  RegCloseKey(key);
  EXPECT_EQ(m_prefix.ReadHive(),
            ServiceKeyHive("\"COM1\"=dword:00000001\n") + "[HKEY_LOCAL_MACHINE\\Next]\n\"COM1\"=dword:00000005\n");
}

TEST_F(RegistryOddHives, OddNamesAndTypes) {
  m_prefix.WriteHive(
      ServiceKeyHive("\"\"=dword:00000001\n"
                     "@=dword:00000002\n"
                     "\"with \\\"quotes\\\" and \\\\\"=dword:00000003\n"
                     "\"[brackets]=and equals\"=dword:00000004\n"
                     "\"\xC3\xA9l\xC3\xA8ve\"=dword:00000005\n"
                     "\"none\"=hex(0):\n"
                     "\"huge type\"=hex(ffffffff):06,00,00,00\n"
                     "\"multi\"=hex(7):61,00,00\n"
                     "\"COM1\"=hex(4):07,00,00,00\n"));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(ReadWord(key, ""), 2u) << "\"\" and @ are both the default value; the later wins";
  EXPECT_EQ(ReadWord(key, nullptr), 2u);
  EXPECT_EQ(ReadWord(key, "WITH \"QUOTES\" AND \\"), 3u);
  EXPECT_EQ(ReadWord(key, "[brackets]=and equals"), 4u);
  EXPECT_EQ(ReadWord(key, "\xC3\xA9l\xC3\xA8ve"), 5u);
  EXPECT_EQ(ReadWord(key, "none"), 0u);
  EXPECT_EQ(ReadWord(key, "huge type"), 6u);
  EXPECT_EQ(ReadWord(key, "multi"), 0x61u) << "three bytes of any type";
  EXPECT_EQ(ReadWord(key, "COM1"), 7u);

  ASSERT_EQ(SetWord(key, "with \"quotes\" and \\", 0x33), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, nullptr, 0x22), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "new ]\\\" name", 0x44), ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(ReadWord(key, "with \"quotes\" and \\"), 0x33u);
  ReadWord(key, "@", ERROR_FILE_NOT_FOUND);  // a value named "@" is not the default value
  EXPECT_EQ(ReadWord(key, ""), 0x22u);
  EXPECT_EQ(ReadWord(key, "new ]\\\" name"), 0x44u);
  EXPECT_EQ(ReadWord(key, "huge type"), 6u);
  RegCloseKey(key);
  const std::string text = m_prefix.ReadHive();
  EXPECT_NE(text.find("\"new ]\\\\\\\" name\"=dword:00000044\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"huge type\"=hex(ffffffff):06,00,00,00\n"), std::string::npos) << text;
}

TEST_F(RegistryOddHives, ATenMegabyteHiveIsReadAndWrittenWhole) {
  // Long lines, as hives with large strings and binary values have them.
  const std::string row = "0a,1b,2c,3d,4e,5f,60,71,82,93,a4,b5,c6,d7,e8,f9,00,11,22,33,44,55,66,77,88";
  const std::string blob = row + ",\\\n  " + row + ",\\\n  " + row + ",\\\n  " + row;
  std::string bulk;
  char header[64];
  for (int key = 0; key < 10000; ++key) {
    std::snprintf(header, sizeof header, "\n[HKEY_LOCAL_MACHINE\\Software\\Bulk\\Key%05d]\n", key);
    bulk.append(header).append("\"Text\"=\"").append(700, 't').append("\"\n\"Blob\"=hex:").append(blob).append("\n");
  }
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n") + bulk;
  ASSERT_GT(before.size(), 10u * 1000 * 1000);
  m_prefix.WriteHive(before);

  const auto begin = std::chrono::steady_clock::now();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(ReadWord(key, "COM1"), 1u);
  ASSERT_EQ(SetWord(key, "COM1", 2), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM2", 3), ERROR_SUCCESS);
  RegCloseKey(key);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
  std::cout << "open, read and two writes of a " << before.size() / 1000000 << " MB hive: " << elapsed.count()
            << " ms\n";
  EXPECT_EQ(m_prefix.ReadHive(), ServiceKeyHive("\"COM1\"=dword:00000002\n\"COM2\"=dword:00000003\n") + bulk);
}

}  // namespace
