// Reading values through a key that is also written: the key's lookup of
// values by name must follow every change of the hive, its own writes, other
// handles' writes and edits by hand, and keep the registry's rules (names
// without case, the later of two values of one name).
#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace {

using test_support::kServiceKeyPath;
using test_support::kServiceSubKey;
using test_support::ServiceKeyHive;
using test_support::TempPrefix;

class ValueLookup : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(winapi::OpenKeyCount(), 0); }

  static HKEY Open(REGSAM access) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, access, &key), ERROR_SUCCESS);
    return key;
  }
  static void Set(HKEY key, const std::string& name, DWORD word) {
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word),
              ERROR_SUCCESS);
  }
  // The word stored under name, or -1 when there is none.
  static long Read(HKEY key, const std::string& name) {
    DWORD word = 0;
    DWORD size = sizeof word;
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size);
    return result == ERROR_SUCCESS ? static_cast<long>(word) : -1;
  }

  TempPrefix m_prefix;
};

TEST_F(ValueLookup, AKeySeesItsOwnWritesOtherHandlesWritesAndEditsByHand) {
  m_prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000001\n"));
  const HKEY key = Open(KEY_ALL_ACCESS);
  EXPECT_EQ(Read(key, "COM1"), 1);
  Set(key, "COM1", 5);
  EXPECT_EQ(Read(key, "COM1"), 5);
  for (int port = 2; port <= 40; ++port) Set(key, "COM" + std::to_string(port), static_cast<DWORD>(port));
  EXPECT_EQ(Read(key, "COM1"), 5) << "after values were added to the key";
  EXPECT_EQ(Read(key, "COM40"), 40);

  const HKEY other = Open(KEY_ALL_ACCESS);
  Set(other, "COM1", 7);
  Set(other, "COM41", 41);
  RegCloseKey(other);
  EXPECT_EQ(Read(key, "COM1"), 7);
  EXPECT_EQ(Read(key, "COM41"), 41);

  m_prefix.WriteHive(m_prefix.ReadHive() + "\"COM42\"=dword:0000002a\n");
  EXPECT_EQ(Read(key, "COM42"), 42);
  EXPECT_EQ(Read(key, "COM43"), -1);
  RegCloseKey(key);
}

TEST_F(ValueLookup, NamesWithoutCaseAndTheLaterOfTwoValuesOfOneName) {
  std::string values;
  for (int port = 1; port <= 225; ++port) values += "\"COM" + std::to_string(port) + "\"=dword:00000001\n";
  values += "\"com7\"=dword:00000007\n";
  m_prefix.WriteHive(ServiceKeyHive(values) + "[" + kServiceKeyPath + "]\n\"COM9\"=dword:00000009\n");
  const HKEY key = Open(KEY_READ);
  EXPECT_EQ(Read(key, "COM7"), 7);
  EXPECT_EQ(Read(key, "Com9"), 9) << "a second block of the key";
  for (int port = 1; port <= 225; ++port) {
    if (port != 7 && port != 9) {
      EXPECT_EQ(Read(key, "COM" + std::to_string(port)), 1) << port;
    }
  }
  EXPECT_EQ(Read(key, "COM226"), -1);
  RegCloseKey(key);
}

}  // namespace
