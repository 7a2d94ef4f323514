// The driver settings store over hive files written by the tests: what each
// stored form reads as, and what Apply's writes leave in the file.
#include "platform/driver_settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_prefix.h"
#include "winapi/hive.h"
#include "winapi/stand_in.h"

namespace {

using test_support::kServiceKeyPath;
using test_support::ServiceKeyHive;
using test_support::TempPrefix;

class DriverSettingsStoreTest : public ::testing::Test {
 protected:
  void TearDown() override {
    winapi::SetRegistryWritesFail(false);
    EXPECT_EQ(winapi::OpenKeyCount(), 0);
  }
  TempPrefix m_prefix;
};

std::string PortName(int port) { return "COM" + std::to_string(port); }

TEST_F(DriverSettingsStoreTest, AMissingKeyFailsBothOpens) {
  m_prefix.WriteHive("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet]\n");
  DriverSettingsStore store;
  EXPECT_FALSE(store.OpenForRead());
  EXPECT_FALSE(store.OpenForWrite());
  EXPECT_TRUE(store.Close());  // nothing to release
  EXPECT_EQ(winapi::OpenKeyCount(), 0);
}

TEST_F(DriverSettingsStoreTest, AKeyWithoutValuesReadsZeroEverywhere) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  DriverSettingsStore store;
  ASSERT_TRUE(store.OpenForRead());
  for (int port = 1; port <= 225; ++port) EXPECT_EQ(store.ReadSetting(PortName(port).c_str()), 0u);
  store.Close();
}

TEST_F(DriverSettingsStoreTest, EachStoredFormReadsAsTheWordOrZero) {
  m_prefix.WriteHive(
      ServiceKeyHive("\"COM1\"=dword:00000027\n"
                     "\"COM3\"=dword:00000001\n"
                     "\"COM4\"=hex(b):01,00,00,00,00,00,00,00\n"
                     "\"COM5\"=hex:0b,00\n"
                     "\"COM6\"=\"abc\"\n"
                     "\"com7\"=dword:00000019\n"
                     "\"COM8\"=hex:\n"
                     "\"COM9\"=hex:01,02,03,04,05\n"));
  DriverSettingsStore store;
  ASSERT_TRUE(store.OpenForRead());
  EXPECT_EQ(store.ReadSetting("COM1"), 0x27u);
  EXPECT_EQ(store.ReadSetting("COM2"), 0u) << "missing between two watched ports";
  EXPECT_EQ(store.ReadSetting("COM3"), 1u) << "read with its own value after the gap";
  EXPECT_EQ(store.ReadSetting("COM4"), 0u) << "eight bytes";
  EXPECT_EQ(store.ReadSetting("COM5"), 0x0Bu) << "two bytes, zero-extended";
  EXPECT_EQ(store.ReadSetting("COM6"), 0x00636261u) << "four bytes of text";
  EXPECT_EQ(store.ReadSetting("COM7"), 0x19u) << "stored in lower case";
  EXPECT_EQ(store.ReadSetting("COM8"), 0u) << "empty";
  EXPECT_EQ(store.ReadSetting("COM9"), 0u) << "five bytes";
  // A too-long value must not leave its size behind for the next read.
  EXPECT_EQ(store.ReadSetting("COM1"), 0x27u);
  store.Close();
}

TEST_F(DriverSettingsStoreTest, ApplysWritesLeaveAWordUnderEveryName) {
  const std::string other = "\n; another driver\n[HKEY_LOCAL_MACHINE\\System\\Other]\n\"COM1\"=dword:00000077\n";
  m_prefix.WriteHive(ServiceKeyHive("\"COM4\"=hex(b):01,00,00,00,00,00,00,00\n\"Version\"=\"2\"\n") + other);
  DriverSettingsStore store;
  ASSERT_TRUE(store.OpenForWrite());
  for (int port = 1; port <= 225; ++port) EXPECT_TRUE(store.WriteSetting(PortName(port).c_str(), 0));
  EXPECT_TRUE(store.WriteSetting("COM4", 0x27));
  EXPECT_TRUE(store.WriteSetting("COM200", 0x13));
  EXPECT_TRUE(store.Close());
  EXPECT_EQ(winapi::OpenKeyCount(), 0);

  const std::string text = m_prefix.ReadHive();
  const std::optional<winapi::Hive> hive = winapi::ParseHive(text, nullptr);
  ASSERT_TRUE(hive);
  for (int port = 1; port <= 225; ++port) {
    const winapi::HiveValue* value = winapi::FindHiveValue(*hive, kServiceKeyPath, PortName(port));
    ASSERT_TRUE(value) << port;
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << port;
    const DWORD expected = port == 4 ? 0x27 : port == 200 ? 0x13 : 0;
    EXPECT_EQ(value->data, (std::vector<BYTE>{static_cast<BYTE>(expected), 0, 0, 0})) << port;
  }
  EXPECT_NE(text.find("\"Version\"=\"2\"\n"), std::string::npos) << "other values are kept";
  EXPECT_TRUE(text.ends_with(other)) << "other keys and comments are kept";

  ASSERT_TRUE(store.OpenForRead());
  EXPECT_EQ(store.ReadSetting("COM4"), 0x27u);
  EXPECT_EQ(store.ReadSetting("COM200"), 0x13u);
}  // the destructor closes the key; TearDown checks it

TEST_F(DriverSettingsStoreTest, WritesFailThroughAReadKeyAndARejectingKey) {
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n");
  m_prefix.WriteHive(before);
  DriverSettingsStore store;
  ASSERT_TRUE(store.OpenForRead());
  EXPECT_FALSE(store.WriteSetting("COM1", 5));
  store.Close();

  winapi::SetRegistryWritesFail(true);
  ASSERT_TRUE(store.OpenForWrite());
  EXPECT_FALSE(store.WriteSetting("COM1", 5));
  EXPECT_FALSE(store.WriteSetting("COM2", 5));
  store.Close();
  EXPECT_EQ(m_prefix.ReadHive(), before);
}

TEST_F(DriverSettingsStoreTest, AMalformedHiveFailsTheOpenAndStaysAsItWas) {
  const std::string broken = ServiceKeyHive("\"COM1\"=dword:00000001\n\"COM2\"=dwrod:2\n");
  m_prefix.WriteHive(broken);
  DriverSettingsStore store;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(store.OpenForRead());
  EXPECT_FALSE(store.OpenForWrite());
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors, m_prefix.HivePath() + ":5: value data must be a \"string\", dword:, hex: or hex(N):\n" +
                        m_prefix.HivePath() + ":5: value data must be a \"string\", dword:, hex: or hex(N):\n")
      << "one line for each failed open";
  EXPECT_EQ(m_prefix.ReadHive(), broken);
}

TEST_F(DriverSettingsStoreTest, CloseTellsWhetherTheWordsWereStored) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  DriverSettingsStore store;
  EXPECT_TRUE(store.Close()) << "nothing open";
  ASSERT_TRUE(store.OpenForWrite());
  EXPECT_TRUE(store.WriteSetting("COM1", 0x27));
  EXPECT_TRUE(store.Close());

  ASSERT_TRUE(store.OpenForWrite());
  EXPECT_TRUE(store.WriteSetting("COM1", 0x21));
  const std::string withoutTheKey = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Other]\n";
  m_prefix.WriteHive(withoutTheKey);  // removed by hand before the close
  EXPECT_FALSE(store.Close());
  EXPECT_EQ(m_prefix.ReadHive(), withoutTheKey);
}

TEST_F(DriverSettingsStoreTest, ReopeningReleasesTheEarlierKey) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  DriverSettingsStore store;
  ASSERT_TRUE(store.OpenForRead());
  ASSERT_TRUE(store.OpenForWrite());
  EXPECT_EQ(winapi::OpenKeyCount(), 1);
  EXPECT_TRUE(store.Close());
  EXPECT_TRUE(store.Close());
  EXPECT_EQ(winapi::OpenKeyCount(), 0);
}

}  // namespace
