// platform/ on the real API under Wine: the settings store over Wine's
// registry, the control device and the port probe through the prefix's
// dosdevices, the restart through a devcon.exe on Wine's path. The operations
// run in platform-probe.exe; this side sets up the world and checks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/file_text.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/temp_directory.h"
#include "tests/wine/wine_prefix.h"

namespace wine_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class WinePlatformTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_prefix = std::make_unique<WinePrefix>(); }
  static void TearDownTestSuite() { s_prefix.reset(); }

  // The probe's output lines; a failed run fails the test.
  static std::vector<std::string> Probe(const std::vector<std::string>& steps,
                                        const std::vector<std::string>& environment = {}) {
    std::vector<std::string> command = {WindowsProgram("tests/wine/platform-probe.exe")};
    command.insert(command.end(), steps.begin(), steps.end());
    const Outcome outcome = s_prefix->Run(command, environment);
    EXPECT_EQ(outcome.status, 0) << outcome.out << outcome.err;
    return Lines(outcome.out);
  }

  static WinePrefix& Prefix() { return *s_prefix; }

 private:
  static std::unique_ptr<WinePrefix> s_prefix;
};

std::unique_ptr<WinePrefix> WinePlatformTest::s_prefix;

TEST_F(WinePlatformTest, SettingsStoreReadsWhatTheRegistryHolds) {
  EXPECT_THAT(Probe({"key-delete", "read"}), ElementsAre("open=0"));
  EXPECT_THAT(Probe({"write"}), ElementsAre("open=0"));

  // A 4-byte value of any type is the word; a missing or 8-byte value reads as
  // 0; a 2-byte value, which the program never writes, gives its two bytes.
  EXPECT_THAT(Probe({"key-create",
                     "set-raw",
                     "COM1",
                     "4",
                     "27000000",
                     "set-raw",
                     "COM2",
                     "3",
                     "0102",
                     "set-raw",
                     "COM3",
                     "11",
                     "0102030405060708",
                     "set-raw",
                     "COM5",
                     "3",
                     "05000000",
                     "read",
                     "COM1",
                     "COM2",
                     "COM3",
                     "COM4",
                     "COM5"}),
              ElementsAre("open=1", "COM1=27", "COM2=201", "COM3=0", "COM4=0", "COM5=5"));
}

TEST_F(WinePlatformTest, SettingsStoreWritesDwordsThatAnotherHandleReads) {
  EXPECT_THAT(Probe({"key-delete", "key-create", "set-raw", "COM8", "1", "4100", "write", "COM8=2F", "COM225=0",
                     "query", "COM8", "query", "COM225"}),
              ElementsAre("open=1", "COM8 ok=1", "COM225 ok=1", "COM8 type=4 size=4 data=2F000000",
                          "COM225 type=4 size=4 data=00000000"));
}

TEST_F(WinePlatformTest, ApplyCommandReachesTheControlDeviceInOneWrite) {
  const std::string fifo = Prefix().path() + "/tavrin.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Prefix().Link("tavrin", fifo);

  EXPECT_THAT(Probe({"apply"}), ElementsAre("written=3"));
  unsigned char bytes[8] = {};
  EXPECT_EQ(read(reader, bytes, sizeof bytes), 3);
  EXPECT_THAT(std::vector<int>(bytes, bytes + 3), ElementsAre(0x0A, 0x01, 0x42));

  // Without the device nothing is written.
  Prefix().Unlink("tavrin");
  EXPECT_THAT(Probe({"apply"}), ElementsAre("written=0"));
  close(reader);
}

TEST_F(WinePlatformTest, PortProbeOffersThePortsThatOpenExclusivelyInNameOrder) {
  test_support::PseudoTerminal com1, com3, com10, com226;
  Prefix().Link("com10", com10.slavePath());
  Prefix().Link("com3", com3.slavePath());
  Prefix().Link("com1", com1.slavePath());
  Prefix().Link("com226", com226.slavePath());       // above the names probed
  Prefix().Link("com2", Prefix().path() + "/gone");  // nothing behind it
  EXPECT_THAT(Probe({"probe"}), ElementsAre("free COM1 COM3 COM10"));

  // A port another handle holds without sharing is not offered. Wine refuses
  // a second exclusive open of regular files only, so this port's node is one.
  const std::string node = Prefix().path() + "/com4-node";
  std::ofstream(node).put('\n');
  Prefix().Link("com4", node);
  EXPECT_THAT(Probe({"probe", "hold", "\\\\.\\COM4", "probe"}),
              ElementsAre("free COM1 COM3 COM4 COM10", "free COM1 COM3 COM10"));
  for (const char* name : {"com1", "com2", "com3", "com4", "com10", "com226"}) Prefix().Unlink(name);
}

class WineRestartTest : public WinePlatformTest {
 protected:
  // The environment of a run with the test devcon.exe on Wine's path, ending
  // as `behaviour` says.
  std::vector<std::string> DevconEnvironment(const std::string& behaviour) const {
    m_directory.Write("devcon.behaviour", behaviour);
    return {DevconOnPath(m_directory.path())};
  }
  // The command lines the tool logged, one a line; a window it was asked to
  // show instead of hiding is named after its line.
  std::string Log() const { return test_support::FileText(m_directory / "devcon.log"); }
  static long Milliseconds(const std::string& line) { return std::stol(line.substr(line.find("ms=") + 3)); }

 private:
  test_support::TempDirectory m_directory;
};

TEST_F(WineRestartTest, RunsTheToolHiddenAndGivesItsExitCode) {
  const auto lines = Probe({"run", "devcon.exe", "restart ROOT\\TAVRIN", "8000"}, DevconEnvironment("exit 3"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_THAT(lines[0], HasSubstr("result=3 "));
  EXPECT_EQ(Log(), "restart ROOT\\TAVRIN\n");
}

TEST_F(WineRestartTest, StopsWaitingAfterTheLimit) {
  const auto lines = Probe({"run", "devcon.exe", "restart ROOT\\TAVRIN", "8000"}, DevconEnvironment("sleep 12"));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_THAT(lines[0], HasSubstr("result=258 "));  // WAIT_TIMEOUT
  EXPECT_GE(Milliseconds(lines[0]), 8000);
  EXPECT_LT(Milliseconds(lines[0]), 9500);
}

TEST_F(WineRestartTest, ReturnsAtOnceWhenTheToolIsMissing) {
  const auto lines = Probe({"run", "devcon.exe", "restart ROOT\\TAVRIN", "8000"});
  ASSERT_FALSE(lines.empty());
  EXPECT_THAT(lines.back(), HasSubstr("result=4294967295 "));  // no process: WAIT_FAILED
  EXPECT_LT(Milliseconds(lines.back()), 3000);
  EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace wine_test
