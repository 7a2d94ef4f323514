// "tavrind export" and "tavrind import": the settings as a file of the
// platform's registry editor, written, refused, and carried to another prefix.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_prefix.h"
#include "tests/support/utf16_file.h"
#include "tools/tavrind/settings_export.h"
#include "tools/tavrind/settings_import.h"
#include "tools/tavrind/settings_report.h"

namespace {

using test_support::ServiceKeyHive;
using test_support::TempDirectory;
using test_support::TempPrefix;
using winapi::HiveEncoding;

const std::string kHeader = "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]";

// The export of a key holding COM1=0x27 and com7=1 (stored in lower case),
// "Start" and nothing else, with the given line end.
std::string ExpectedExport(const std::string& newline) {
  std::string text = "Windows Registry Editor Version 5.00" + newline + newline + kHeader + newline;
  for (int number = 1; number <= 225; ++number) {
    const std::string word = number == 1 ? "00000027" : number == 7 ? "00000001" : "00000000";
    text.append("\"").append(number == 7 ? "com" : "COM").append(std::to_string(number));
    text.append("\"=dword:").append(word).append(newline);
  }
  return text + "\"Start\"=dword:00000003" + newline + newline;
}

TEST(SettingsExport, EveryPortsWordThenTheKeysOtherValuesInEitherEncoding) {
  TempPrefix prefix;
  prefix.WriteHive(
      "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n\"COM2\"=dword:00000001\n\n" +
      kHeader +
      "\n\"Start\"=dword:00000003\n\"COM1\"=dword:00000001\n\"com7\"=dword:00000001\n\"COM1\"=dword:00000027\n");
  std::string failure;
  const std::string utf16 = tavrind::ExportedSettings(prefix.HivePath(), HiveEncoding::Utf16Le, failure);
  const std::string expected = ExpectedExport("\r\n");
  EXPECT_EQ(utf16, test_support::Utf16LeFile(std::u16string(expected.begin(), expected.end())));
  EXPECT_EQ(tavrind::ExportedSettings(prefix.HivePath(), HiveEncoding::Utf8, failure), ExpectedExport("\n"));
  EXPECT_EQ(failure, "");
}

TEST(SettingsExport, RefusesToOverwriteTheHiveAndSaysWhatIsMissing) {
  TempPrefix prefix;
  std::ostringstream out, err;
  EXPECT_EQ(tavrind::ExportSettings(prefix.path(), HiveEncoding::Utf8, "", out, err), 1);
  EXPECT_NE(err.str().find("\"tavrind install\" makes it"), std::string::npos) << err.str();
  const std::string hive = ServiceKeyHive("\"COM3\"=dword:00000001\n");
  prefix.WriteHive(hive);
  EXPECT_EQ(tavrind::ExportSettings(prefix.path(), HiveEncoding::Utf8, prefix.HivePath(), out, err), 1);
  EXPECT_EQ(prefix.ReadHive(), hive);
}

// Each damaged file is refused with its line, and the hive keeps its bytes.
TEST(SettingsImport, DamagedFilesChangeNothing) {
  const std::string key = kHeader + "\n";
  const std::string version = "Windows Registry Editor Version 5.00\n\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {version + key + "\"COM3\"=\"1\"\n", "f.reg:4: \"COM3\" is no settings word"},
      {version + key + "\"COM3\"=hex(b):01,00,00,00,00,00,00,00\n", "f.reg:4: \"COM3\" is no settings word"},
      {version + key + "\"COM3\"=dword:00000040\n", "f.reg:4: \"COM3\" holds 0x00000040, which is no settings word"},
      {version + key + "\"COM3\"=dword:00000039\n", "f.reg:4: \"COM3\" holds 0x00000039"},
      {version + key + "\"COM1\"=dword:1\n\"COM226\"=dword:1\n", "f.reg:5: \"COM226\" is no port name"},
      {version + key + "\"com01\"=dword:1\n", "f.reg:4: \"com01\" is no port name"},
      {version + key + "\"COM3\"=dword:1\n\n[HKEY_LOCAL_MACHINE\\Software\\Tavrin]\n",
       "f.reg:6: [HKEY_LOCAL_MACHINE\\Software\\Tavrin] is not the driver's key"},
      {version + "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin2]\n", "f.reg:3: [HKEY_LOCAL"},
      {version + "; only a comment\n", "f.reg: holds no [HKEY_LOCAL_MACHINE"},
      {version + key + "\"COM3\"=dword:1\n\"COM4\"=dword:\n", "f.reg:5: dword: needs 1 to 8 hex digits"},
      {version + "; caf\xE9\n" + key, "f.reg: line 3 is not UTF-8"},
      {std::string("\xFE\xFF\0W", 4), "f.reg: UTF-16 big-endian text"},
      {std::string("\xFF\xFE\0\0W\0\0\0", 8), "f.reg: UTF-32 text"},
      {std::string("W\0i\0", 4), "f.reg: text with NUL bytes"},
      {"", "f.reg:1: empty file"},
  };
  TempPrefix prefix;
  const std::string hive = ServiceKeyHive("\"COM1\"=dword:00000027\n");
  prefix.WriteHive(hive);
  for (const auto& [text, failure] : cases) {
    const std::string file = prefix.path() + "/f.reg";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    std::ostringstream out, err;
    EXPECT_EQ(tavrind::ImportSettings(prefix.path(), file, out, err), 1) << text;
    EXPECT_NE(err.str().find(prefix.path() + "/" + failure), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("; nothing changed\n"), std::string::npos) << err.str();
  }
  EXPECT_EQ(prefix.ReadHive(), hive);
  EXPECT_EQ(prefix.HiveFiles(), (std::set<std::string>{"hklm.reg"}));
}

// A file as the registry editor exports the service key: UTF-16LE, its other
// values and a subkey are skipped and said, and every port it does not name
// gets the word 0.
TEST(SettingsImport, TakesTheWordsOfAnExportOfTheServiceKey) {
  const std::u16string file =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin]\r\n"
      u"\"DisplayName\"=\"TAVRIN caf\u00e9\"\r\n\"com2\"=dword:00000007\r\n\"COM9\"=hex(4):33,00,00,00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin\\Enum]\r\n\"0\"=\"ROOT\\\\TAVRIN\"\r\n";
  TempPrefix prefix;
  prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000027\n\"Start\"=dword:00000003\n"));
  const std::string path = prefix.path() + "/f.reg";
  std::ofstream(path, std::ios::binary) << test_support::Utf16LeFile(file);
  std::ostringstream out, err;
  EXPECT_EQ(tavrind::ImportSettings(prefix.path(), path, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "tavrind: " + path + ":4: skipped the value \"DisplayName\": no port's settings word\n" +
                           "tavrind: " + path + ":8: skipped [HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet" +
                           "\\Services\\Tavrin\\Enum] with its values\n" + "tavrind: " + prefix.HivePath() +
                           " now holds the settings of " + path + ":\n" +
                           "COM2  0x00000007  HID_Touch_Digitizer, Auto_Scan, PnP polling Enable\n"
                           "COM9  0x00000033  Traditional_Touch_Screen, 57600, PnP polling Enable\n"
                           "tavrind: no driver runs for " +
                           prefix.path() + "; it reads these settings when it starts\n");
  const std::string hive = prefix.ReadHive();
  EXPECT_NE(hive.find("\"COM1\"=dword:00000000\n\"Start\"=dword:00000003\n\"COM2\"=dword:00000007\n"),
            std::string::npos)
      << hive;
  EXPECT_NE(hive.find("\"COM225\"=dword:00000000\n"), std::string::npos);
}

// What one prefix exports, another imports: the same watched ports, whichever
// ports the second watched before.
TEST(SettingsImport, ExportOfOnePrefixGivesAnotherTheSameWords) {
  for (const HiveEncoding encoding : {HiveEncoding::Utf16Le, HiveEncoding::Utf8}) {
    const TempDirectory carried;
    const std::string file = carried / "exported.reg";
    std::ostringstream exported, imported, err;
    {
      TempPrefix source;
      source.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000027\n\"COM12\"=dword:00000033\n\"COM225\"=dword:1\n"));
      tavrind::PrintSettings(source.path(), exported, err);
      ASSERT_EQ(tavrind::ExportSettings(source.path(), encoding, file, exported, err), 0) << err.str();
    }
    TempPrefix target;
    target.WriteHive(ServiceKeyHive("\"COM2\"=dword:00000001\n"));
    EXPECT_EQ(tavrind::ImportSettings(target.path(), file, imported, err), 0) << err.str();
    EXPECT_NE(imported.str().find(exported.str() + "tavrind: no driver"), std::string::npos) << imported.str();
  }
}

}  // namespace
