// "tavrind install": the COM numbering of the machine's serial devices, the
// service key in the hive, and the links of the device namespace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/file_text.h"
#include "tests/support/temp_directory.h"
#include "tools/tavrind/install.h"
#include "tools/tavrind/serial_devices.h"
#include "tools/tavrind/service_key.h"
#include "tools/tavrind/service_key_setup.h"
#include "winapi/hive.h"

namespace {

using test_support::FileText;
using test_support::TempDirectory;

// A device directory with empty files of the given names.
void MakeEntries(const TempDirectory& directory, const std::vector<std::string>& names) {
  for (const std::string& name : names) directory.Write(name, "");
}

TEST(SerialDevicesInComOrder, OnBoardThenUsbThenAcmEachByNumber) {
  TempDirectory dev;
  MakeEntries(dev, {"ttyS10", "ttyACM0", "ttyS2", "ttyUSB1", "ttyS0", "ttyUSB0", "ttyS", "ttySX", "tty0", "ttyAMA0",
                    "ttyS1a", "null", "ttyUSB"});
  EXPECT_EQ(tavrind::SerialDevicesInComOrder(dev.path()),
            (std::vector<std::string>{dev / "ttyS0", dev / "ttyS2", dev / "ttyS10", dev / "ttyUSB0", dev / "ttyUSB1",
                                      dev / "ttyACM0"}));
}

TEST(SerialDevicesInComOrder, MissingDirectoryHasNone) {
  EXPECT_TRUE(tavrind::SerialDevicesInComOrder("/nonexistent/dev").empty());
}

class ServiceKeySetup : public ::testing::Test {
 protected:
  std::string Ensure(bool& added) { return tavrind::EnsureServiceKey(m_hive, added); }

  void WriteHive(const std::string& text) const { m_directory.Write("hklm.reg", text); }

  TempDirectory m_directory;
  std::string m_hive = m_directory / "hklm.reg";
};

TEST_F(ServiceKeySetup, NewHiveHoldsTheEmptyServiceKey) {
  bool added = false;
  EXPECT_EQ(Ensure(added), "");
  EXPECT_TRUE(added);
  EXPECT_EQ(FileText(m_hive),
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\n");
}

TEST_F(ServiceKeySetup, KeyIsAddedAndEverythingElseKept) {
  const std::string original =
      "Windows Registry Editor Version 5.00\r\n\r\n; a comment\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
      "\"Name\"=\"text\"\r\n\"COM3\"=dword:00000027";
  WriteHive(original);
  bool added = false;
  EXPECT_EQ(Ensure(added), "");
  EXPECT_TRUE(added);
  const std::string text = FileText(m_hive);
  EXPECT_EQ(text, original + "\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\r\n");
  const auto hive = winapi::ParseHive(text, nullptr);
  ASSERT_TRUE(hive);
  EXPECT_TRUE(winapi::HiveHasKey(*hive, tavrind::kServiceKeyPath));
  EXPECT_NE(winapi::FindHiveValue(*hive, "HKEY_LOCAL_MACHINE\\Software\\Other", "COM3"), nullptr);
}

TEST_F(ServiceKeySetup, ExistingKeyInAnyCaseIsLeftAlone) {
  const std::string original =
      "Windows Registry Editor Version 5.00\n\n[hkey_local_machine\\SYSTEM\\CurrentControlSet\\Services\\TAVRIN]\n"
      "\"COM1\"=dword:00000001\n";
  WriteHive(original);
  bool added = true;
  EXPECT_EQ(Ensure(added), "");
  EXPECT_FALSE(added);
  EXPECT_EQ(FileText(m_hive), original);
}

TEST_F(ServiceKeySetup, MalformedHiveIsNeverRewritten) {
  const std::string original = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\X]\nthis is no value\n";
  WriteHive(original);
  bool added = true;
  const std::string failure = Ensure(added);
  EXPECT_NE(failure.find(m_hive + ":4"), std::string::npos) << failure;
  EXPECT_FALSE(added);
  EXPECT_EQ(FileText(m_hive), original);
}

TEST(Install, CreatesPrefixHiveAndLinksAndKeepsWhatExists) {
  TempDirectory root;
  TempDirectory dev;
  MakeEntries(dev, {"ttyS1", "ttyS0", "ttyUSB0"});
  const std::string prefix = root / "new/prefix";
  std::ostringstream out;
  ASSERT_EQ(tavrind::Install(prefix, dev.path(), out), 0) << out.str();
  EXPECT_EQ(std::filesystem::read_symlink(prefix + "/dosdevices/com1"), dev / "ttyS0");
  EXPECT_EQ(std::filesystem::read_symlink(prefix + "/dosdevices/com2"), dev / "ttyS1");
  EXPECT_EQ(std::filesystem::read_symlink(prefix + "/dosdevices/com3"), dev / "ttyUSB0");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(prefix + "/dosdevices/com4")));
  const std::string hive = FileText(prefix + "/hklm.reg");
  EXPECT_NE(hive.find("[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]"), std::string::npos);

  // A second install keeps the links a person changed and the hive as it is.
  std::filesystem::remove(prefix + "/dosdevices/com2");
  std::filesystem::create_symlink("/dev/null", prefix + "/dosdevices/com2");
  std::ostringstream again;
  ASSERT_EQ(tavrind::Install(prefix, dev.path(), again), 0) << again.str();
  EXPECT_EQ(std::filesystem::read_symlink(prefix + "/dosdevices/com2"), "/dev/null");
  EXPECT_EQ(FileText(prefix + "/hklm.reg"), hive);
}

// Over an existing prefix each device keeps the port that stands for it, and
// a device whose number is taken gets the lowest free one, or is named.
TEST(Install, EveryDeviceGetsAPortOrIsNamed) {
  TempDirectory prefix;
  TempDirectory first;
  TempDirectory second;
  MakeEntries(first, {"ttyS0"});
  MakeEntries(second, {"ttyS0", "ttyUSB0"});
  std::ostringstream out;
  ASSERT_EQ(tavrind::Install(prefix.path(), first.path(), out), 0) << out.str();
  std::ostringstream again;
  ASSERT_EQ(tavrind::Install(prefix.path(), second.path(), again), 0) << again.str();
  EXPECT_EQ(std::filesystem::read_symlink(prefix / "dosdevices/com1"), first / "ttyS0");
  EXPECT_EQ(std::filesystem::read_symlink(prefix / "dosdevices/com2"), second / "ttyS0");
  EXPECT_EQ(std::filesystem::read_symlink(prefix / "dosdevices/com3"), second / "ttyUSB0");  // com2 was its number
  EXPECT_NE(again.str().find(prefix / "dosdevices/com1 is taken by " + first / "ttyS0" + "; " +
                             prefix / "dosdevices/com2 -> " + second / "ttyS0"),
            std::string::npos)
      << again.str();

  // Named relative to the working directory, the same devices keep their ports.
  const std::string working = std::filesystem::current_path();
  std::filesystem::current_path(second.path());
  std::ostringstream relative;
  EXPECT_EQ(tavrind::Install(prefix.path(), ".", relative), 0);
  std::filesystem::current_path(working);
  EXPECT_NE(relative.str().find("kept " + prefix / "dosdevices/com3 -> " + second / "ttyUSB0"), std::string::npos)
      << relative.str();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(prefix / "dosdevices/com4")));

  // With every number taken a new device gets none, and the install says so.
  for (int number = 4; number <= 225; ++number)
    std::filesystem::create_symlink("/dev/null", prefix / ("dosdevices/com" + std::to_string(number)));
  MakeEntries(second, {"ttyACM0"});
  std::ostringstream full;
  EXPECT_EQ(tavrind::Install(prefix.path(), second.path(), full), 1);
  EXPECT_NE(full.str().find("no port for " + second / "ttyACM0" + ": " + prefix / "dosdevices/com3 is taken by " +
                            second / "ttyUSB0" + ", and COM1 to COM225 are all taken"),
            std::string::npos)
      << full.str();
}

TEST(Install, MalformedHiveFailsTheInstall) {
  TempDirectory prefix;
  TempDirectory dev;
  prefix.Write("hklm.reg", "not a hive\n");
  std::ostringstream out;
  EXPECT_NE(tavrind::Install(prefix.path(), dev.path(), out), 0);
  EXPECT_EQ(FileText(prefix / "hklm.reg"), "not a hive\n");
}

}  // namespace
