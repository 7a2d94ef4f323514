// One settings file for both platforms: what "tavrind export" writes, Wine's
// "reg import" takes, and the program under Wine reads the same words; what
// Wine's "reg export" writes, "tavrind import" takes.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/file_text.h"
#include "tests/support/tavrind_command.h"
#include "tests/support/temp_directory.h"
#include "tests/support/temp_prefix.h"
#include "tests/wine/wine_prefix.h"

namespace wine_test {
namespace {

using test_support::FileText;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kServiceKey[] = "HKLM\\System\\CurrentControlSet\\Services\\Tavrin";
const std::string kTavrind = TAVRIND_PATH;

class WineSettingsFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_wine = std::make_unique<WinePrefix>(); }
  static void TearDownTestSuite() { s_wine.reset(); }

  // A Wine run that must succeed; its output lines.
  static std::vector<std::string> Wine(const std::vector<std::string>& command) {
    const Outcome outcome = s_wine->Run(command);
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    return Lines(outcome.out);
  }
  static std::vector<std::string> Probe(const std::vector<std::string>& steps) {
    std::vector<std::string> command = {WindowsProgram("tests/wine/platform-probe.exe")};
    command.insert(command.end(), steps.begin(), steps.end());
    return Wine(command);
  }

  // tavrind on the Linux prefix, which must succeed; its standard output and
  // error.
  std::string Tavrind(const std::string& command) const {
    const test_support::CommandOutcome outcome = test_support::RunTavrind(kTavrind, command, m_linux.path());
    EXPECT_EQ(outcome.status, 0) << command << ": " << outcome.output;
    return outcome.output;
  }

  // A file carried between the two machines.
  std::string Carried(const std::string& name) const { return m_files / name; }

  test_support::TempPrefix m_linux;
  test_support::TempDirectory m_files;
  static std::unique_ptr<WinePrefix> s_wine;
};

std::unique_ptr<WinePrefix> WineSettingsFileTest::s_wine;

// The file's lines (CRLF-ended UTF-16LE), sorted.
std::vector<std::string> SortedUtf16Lines(const std::string& bytes) {
  const std::string lineEnd("\r\0\n\0", 4);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find(lineEnd, start), bytes.size());
    lines.push_back(bytes.substr(start, end - start));
    start = end + lineEnd.size();
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST_F(WineSettingsFileTest, LinuxExportImportsWithRegImportAndGivesTheSameWords) {
  m_linux.WriteHive(test_support::ServiceKeyHive(
      "\"COM1\"=dword:00000027\n\"COM2\"=dword:00000007\n\"COM7\"=dword:00000001\n\"COM225\"=dword:00000033\n"));
  for (const std::string encoding : {"", "--utf8 "}) {
    const std::string exported = Carried("linux.reg");
    Tavrind("export " + encoding + exported);
    Probe({"key-delete", "key-create", "write", "COM3=1"});  // a port the file does not watch
    Wine({"reg", "import", WindowsPath(exported)});
    EXPECT_THAT(Probe({"read", "COM1", "COM2", "COM3", "COM7", "COM225"}),
                ElementsAre("open=1", "COM1=27", "COM2=7", "COM3=0", "COM7=1", "COM225=33"))
        << encoding;
  }
  // The default export has the lines the platform's own export of the key
  // has, which lists the values in its own order.
  Tavrind("export " + Carried("linux.reg"));
  Wine({"reg", "export", kServiceKey, WindowsPath(Carried("wine.reg")), "/y"});
  EXPECT_EQ(SortedUtf16Lines(FileText(Carried("wine.reg"))), SortedUtf16Lines(FileText(Carried("linux.reg"))));
}

TEST_F(WineSettingsFileTest, RegExportImportsOnLinux) {
  Probe({"key-delete", "key-create", "set-raw", "Start", "4", "03000000", "write", "COM3=27", "COM12=9"});
  Wine({"reg", "add", std::string(kServiceKey) + "\\Enum", "/v", "Count", "/t", "REG_DWORD", "/d", "1", "/f"});
  const std::string exported = Carried("wine.reg");
  Wine({"reg", "export", kServiceKey, WindowsPath(exported), "/y"});

  m_linux.WriteHive(test_support::ServiceKeyHive("\"COM5\"=dword:00000001\n"));
  const std::string imported = Tavrind("import " + exported);
  EXPECT_THAT(imported, HasSubstr("skipped the value \"Start\""));
  EXPECT_THAT(imported, HasSubstr("skipped [HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin\\Enum]"));
  EXPECT_EQ(Tavrind("settings"),
            "COM3  0x00000027  HID_Touch_Digitizer, 9600, PnP polling Enable\n"
            "COM12  0x00000009  Traditional_Touch_Screen, 1200, PnP polling Disable\n");
}

}  // namespace
}  // namespace wine_test
