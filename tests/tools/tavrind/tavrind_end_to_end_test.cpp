// The driver stand-in as the program meets it: installed into a prefix, run
// as its own process, sent the apply command through the control device, and
// restarted by devcon.exe. Two pseudo-terminals are the machine's ports.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/device_io.h"
#include "platform/run_and_wait.h"
#include "tests/support/file_text.h"
#include "tests/support/process_probes.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/tavrind_command.h"
#include "tests/support/temp_prefix.h"
#include "tools/tavrind/pid_file.h"
#include "winapi/registry_hive_lock.h"
#include "winapi/stand_in.h"

namespace {

using test_support::FileText;
using test_support::PseudoTerminal;
using test_support::TempDirectory;
using test_support::TempPrefix;
using test_support::WaitUntil;

const std::string kTavrind = TAVRIND_PATH;

bool Exists(const std::string& path) {
  struct stat entry {};
  return lstat(path.c_str(), &entry) == 0;
}

// Whether the program could take the port now.
bool PortIsFree(const char* portName) { return OpenDeviceExclusive(SerialPortPath(portName).c_str()).IsOpen(); }

void StoreWord(const char* portName, DWORD word) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Tavrin", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, portName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void SendApplyCommand() {
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  EXPECT_EQ(WriteDevice(device, kApplyCommand, sizeof kApplyCommand), 3u);
  device.Close();
}

class DriverStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    // Installed with no serial devices of the machine, so only the test's
    // terminals are ports.
    const std::string install = "install --prefix " + m_prefix.path() + " --dev " + m_noDevices.path();
    ASSERT_EQ(RunAndWait(kTavrind.c_str(), install.c_str(), 60000), 0u);
    m_prefix.Link("com3", m_first.slavePath());
    m_prefix.Link("com4", m_second.slavePath());
  }

  void TearDown() override {
    if (const auto pid = tavrind::LiveDriverPid(PidFile())) kill(*pid, SIGTERM);
    if (m_driver) {
      WaitForSingleObject(m_driver, 20000);
      CloseHandle(m_driver);
    }
  }

  std::string PidFile() const { return tavrind::PidFilePath(m_prefix.path()); }

  // Starts tavrind with the command and the prefix; its process handle.
  HANDLE Start(const std::string& command) const {
    const std::string parameters = command + " --prefix " + m_prefix.path();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = kTavrind.c_str();
    info.lpParameters = parameters.c_str();
    EXPECT_TRUE(ShellExecuteExA(&info));
    return info.hProcess;
  }

  // Starts "tavrind run --foreground" and waits until it serves: the pid file
  // is written last, once the control device is open and the configuration
  // applied.
  HANDLE StartDriver() {
    const HANDLE driver = Start("run --foreground");
    EXPECT_TRUE(WaitUntil([&] { return tavrind::LiveDriverPid(PidFile()).has_value(); }));
    return driver;
  }

  // Runs tavrind with the command and the prefix to its end.
  test_support::CommandOutcome Tavrind(const std::string& command) const {
    return test_support::RunTavrind(kTavrind, command, m_prefix.path());
  }

  pid_t DriverPid() const { return tavrind::LiveDriverPid(PidFile()).value_or(0); }

  TempPrefix m_prefix;
  TempDirectory m_noDevices;
  PseudoTerminal m_first;
  PseudoTerminal m_second;
  HANDLE m_driver = nullptr;
};

TEST_F(DriverStandIn, InstallMakesTheServiceKeyThatTheStoreOpens) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\Tavrin", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// In the foreground each log line is copied to standard error; when that is
// the journal's stream, without the time and process id the journal adds.
TEST_F(DriverStandIn, InTheForegroundLinesGoToStandardErrorTooBareForTheJournal) {
  for (const bool journal : {false, true}) {
    const std::string copy = m_prefix.path() + "/stderr.txt";
    const std::string journalStream = journal ? "JOURNAL_STREAM=$(stat -c %d:%i " + copy + ") " : "";
    const std::string command = "exec 2>" + copy + "; " + journalStream + "exec " + kTavrind +
                                " run --foreground --prefix " + m_prefix.path() + " &";
    ASSERT_EQ(std::system(command.c_str()), 0);
    ASSERT_TRUE(WaitUntil([&] { return DriverPid() != 0; }));
    ASSERT_EQ(kill(DriverPid(), SIGTERM), 0);
    ASSERT_TRUE(WaitUntil([&] { return !Exists(PidFile()); }));
    const std::string firstLine = FileText(copy).substr(0, FileText(copy).find('\n'));
    if (journal) {
      EXPECT_TRUE(firstLine.starts_with("started; control device ")) << firstLine;
    } else {
      EXPECT_NE(firstLine.find(" tavrind["), std::string::npos) << firstLine;
      EXPECT_NE(firstLine.find("]: started; control device "), std::string::npos) << firstLine;
    }
  }
}

TEST_F(DriverStandIn, ApplyCommandHoldsWatchedPortsAndReleasesTheOthers) {
  m_driver = StartDriver();
  ASSERT_NE(m_driver, nullptr);
  EXPECT_TRUE(PortIsFree("COM3"));
  EXPECT_TRUE(PortIsFree("COM4"));

  StoreWord("COM3", 0x27);
  StoreWord("COM4", 0x26);  // every setting but the watched bit
  SendApplyCommand();
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM3"); }));
  EXPECT_TRUE(PortIsFree("COM4"));

  StoreWord("COM3", 0);
  StoreWord("COM4", 0x01);
  SendApplyCommand();
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM4"); }));
  EXPECT_TRUE(PortIsFree("COM3"));
}

TEST_F(DriverStandIn, WatchedPortsAreHeldFromTheStart) {
  StoreWord("COM4", 0x09);
  StoreWord("COM7", 0x01);  // not on this machine
  m_driver = StartDriver();
  EXPECT_FALSE(PortIsFree("COM4"));
  EXPECT_TRUE(PortIsFree("COM3"));
  const std::string log = FileText(m_prefix.path() + "/tavrind.log");
  EXPECT_NE(log.find("COM7 is not present"), std::string::npos) << log;
  EXPECT_EQ(log.find("cannot hold"), std::string::npos) << log;
}

// Another program's open, even one as brief as a probe of the port, only
// delays the hold: the driver takes the port once it is free.
TEST_F(DriverStandIn, PortInUseIsHeldOnceFree) {
  StoreWord("COM3", 0x01);
  UniqueHandle other = OpenDeviceExclusive(SerialPortPath("COM3").c_str());
  ASSERT_TRUE(other.IsOpen());
  m_driver = StartDriver();
  const std::string log = FileText(m_prefix.path() + "/tavrind.log");
  EXPECT_NE(log.find("cannot hold COM3"), std::string::npos) << log;
  EXPECT_NE(log.find("in use by another program, error 32; held once it is free"), std::string::npos) << log;
  other.Close();
  const std::string logPath = m_prefix.path() + "/tavrind.log";
  EXPECT_TRUE(WaitUntil([&] { return FileText(logPath).find("holding COM3") != std::string::npos; }));
  EXPECT_FALSE(PortIsFree("COM3"));
  // The wait is said once, not at every try.
  const std::string after = FileText(logPath);
  EXPECT_EQ(after.find("cannot hold"), after.rfind("cannot hold")) << after;
}

TEST_F(DriverStandIn, OnlyTheDriversUserMaySendCommands) {
  m_driver = StartDriver();
  struct stat fifo {};
  ASSERT_EQ(stat(m_prefix.Entry("tavrin").c_str(), &fifo), 0);
  EXPECT_TRUE(S_ISFIFO(fifo.st_mode));
  EXPECT_EQ(fifo.st_mode & 07777, 0600u);
  EXPECT_EQ(fifo.st_uid, geteuid());
}

// Run by hand, the driver goes to the background once it serves; the command
// says which process it is and nothing of the log reaches its output.
TEST_F(DriverStandIn, RunWithoutForegroundReturnsOnceServingAndLogsToItsFileOnly) {
  StoreWord("COM3", 0x01);
  const std::string output = m_prefix.path() + "/run.out";
  const std::string command = kTavrind + " run --prefix " + m_prefix.path() + " >" + output + " 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << FileText(output);
  const pid_t driver = DriverPid();
  ASSERT_NE(driver, 0);
  EXPECT_FALSE(PortIsFree("COM3"));
  SendApplyCommand();
  EXPECT_TRUE(
      WaitUntil([&] { return FileText(m_prefix.path() + "/tavrind.log").find("apply command") != std::string::npos; }));
  EXPECT_EQ(FileText(output), "tavrind: the driver of " + m_prefix.path() + " runs as process " +
                                  std::to_string(driver) + "; it logs to " + m_prefix.path() + "/tavrind.log\n");
  // Not this test's child: its end shows as the pid file going away.
  ASSERT_EQ(kill(driver, SIGTERM), 0);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(PidFile()); }));
}

TEST_F(DriverStandIn, OtherBytesAreLoggedAndIgnored) {
  m_driver = StartDriver();
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  const BYTE noise[] = {0x41, 0x0A, 0x01};
  EXPECT_EQ(WriteDevice(device, noise, sizeof noise), 3u);
  device.Close();
  EXPECT_TRUE(WaitUntil(
      [&] { return FileText(m_prefix.path() + "/tavrind.log").find("ignored byte 0x41") != std::string::npos; }));
  // The pending 0x0A 0x01 and a later 0x42 make one apply command.
  StoreWord("COM3", 0x01);
  device = OpenDeviceExclusive(kControlDevicePath);
  const BYTE rest[] = {0x42};
  EXPECT_EQ(WriteDevice(device, rest, 1), 1u);
  device.Close();
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM3"); }));
}

TEST_F(DriverStandIn, DeviceConsoleToolRestartsTheDriver) {
  m_driver = StartDriver();
  // A change that is stored but not applied: only a restart reads it.
  StoreWord("COM3", 0x01);
  const std::string savedPath = getenv("PATH");
  setenv("PATH", (std::string(DEVCON_DIR) + ":" + savedPath).c_str(), 1);
  const std::string restart = "--prefix " + m_prefix.path() + " restart ROOT\\TAVRIN";
  EXPECT_EQ(RunAndWait("devcon.exe", restart.c_str(), 8000), 0u);
  setenv("PATH", savedPath.c_str(), 1);
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM3"); }));
  EXPECT_NE(FileText(m_prefix.path() + "/tavrind.log").find("restart"), std::string::npos);
}

TEST_F(DriverStandIn, SighupReleasesAndHoldsAgain) {
  StoreWord("COM3", 0x01);
  m_driver = StartDriver();
  ASSERT_FALSE(PortIsFree("COM3"));
  StoreWord("COM3", 0);
  StoreWord("COM4", 0x01);
  ASSERT_EQ(kill(DriverPid(), SIGHUP), 0);
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM4"); }));
  EXPECT_TRUE(PortIsFree("COM3"));
}

TEST_F(DriverStandIn, SigtermReleasesPortsAndRemovesFifoAndPidFile) {
  StoreWord("COM3", 0x01);
  m_driver = StartDriver();
  ASSERT_FALSE(PortIsFree("COM3"));
  ASSERT_EQ(kill(DriverPid(), SIGTERM), 0);
  EXPECT_EQ(WaitForSingleObject(m_driver, 20000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  EXPECT_TRUE(GetExitCodeProcess(m_driver, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  EXPECT_FALSE(Exists(m_prefix.Entry("tavrin")));
  EXPECT_FALSE(Exists(PidFile()));
  EXPECT_TRUE(PortIsFree("COM3"));
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
}

TEST_F(DriverStandIn, SigintStopsItToo) {
  m_driver = StartDriver();
  ASSERT_EQ(kill(DriverPid(), SIGINT), 0);
  EXPECT_EQ(WaitForSingleObject(m_driver, 20000), WAIT_OBJECT_0);
  EXPECT_FALSE(Exists(m_prefix.Entry("tavrin")));
}

TEST_F(DriverStandIn, SecondDriverForTheSamePrefixRefusesToStart) {
  m_driver = StartDriver();
  const pid_t first = DriverPid();
  const std::string run = "run --prefix " + m_prefix.path();
  EXPECT_EQ(RunAndWait(kTavrind.c_str(), run.c_str(), 60000), 1u);
  EXPECT_EQ(DriverPid(), first);
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  EXPECT_TRUE(device.IsOpen());  // the first driver's FIFO is still there
  device.Close();
}

TEST_F(DriverStandIn, FifoLeftByADeadDriverIsReplaced) {
  ASSERT_EQ(mkfifo(m_prefix.Entry("tavrin").c_str(), 0600), 0);
  m_driver = StartDriver();
  ASSERT_NE(DriverPid(), 0);
  SendApplyCommand();
}

TEST_F(DriverStandIn, OtherEntryInTheFifosPlaceIsLeftAlone) {
  m_prefix.Link("tavrin", "/dev/full");
  const std::string run = "run --prefix " + m_prefix.path();
  EXPECT_EQ(RunAndWait(kTavrind.c_str(), run.c_str(), 60000), 1u);
  EXPECT_EQ(std::filesystem::read_symlink(m_prefix.Entry("tavrin")), "/dev/full");
  EXPECT_FALSE(Exists(PidFile()));
}

// Runs of blanks as one, so that lines are compared without their columns' widths.
std::string Squeezed(std::string text) {
  text.erase(std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; }), text.end());
  return text;
}

TEST_F(DriverStandIn, PortsTellEachPortsDeviceAndWhetherItIsWatchedAndHeld) {
  StoreWord("COM3", 0x01);
  StoreWord("COM7", 0x01);
  m_prefix.Link("com5", m_prefix.path() + "/gone");
  const std::string ports = "COM4 " + m_second.slavePath() + " not watched, not held\n" + "COM5 " + m_prefix.path() +
                            "/gone (missing) not watched, not held\n" + "COM7 (no device) watched, not held\n";
  EXPECT_EQ(Squeezed(Tavrind("ports").output), "no driver runs for " + m_prefix.path() + "\n" + "COM3 " +
                                                   m_first.slavePath() + " watched, not held\n" + ports);
  m_driver = StartDriver();
  EXPECT_EQ(Squeezed(Tavrind("ports").output), "the driver of " + m_prefix.path() + " runs as process " +
                                                   std::to_string(DriverPid()) + "\n" + "COM3 " + m_first.slavePath() +
                                                   " watched, held by the driver\n" + ports);
}

// Started by hand, the driver runs in the background until "tavrind stop",
// which returns once it has released its ports and ended.
TEST_F(DriverStandIn, StopEndsADriverStartedByHand) {
  StoreWord("COM3", 0x01);
  ASSERT_EQ(Tavrind("run").status, 0);
  const pid_t driver = DriverPid();
  ASSERT_NE(driver, 0);
  ASSERT_FALSE(PortIsFree("COM3"));
  const auto stopped = Tavrind("stop");
  EXPECT_EQ(stopped.status, 0);
  EXPECT_EQ(stopped.output,
            "tavrind: stopped the driver of " + m_prefix.path() + " (pid " + std::to_string(driver) + ")\n");
  const std::string log = FileText(m_prefix.path() + "/tavrind.log");
  EXPECT_TRUE(log.ends_with("]: stopped\n")) << log;  // its last line
  EXPECT_TRUE(PortIsFree("COM3"));
  EXPECT_FALSE(Exists(PidFile()));
  EXPECT_EQ(Tavrind("stop").output, "tavrind: no driver runs for " + m_prefix.path() + "\n");
}

// A driver that has ended but that its parent has not waited for yet is
// stopped too.
TEST_F(DriverStandIn, StopDoesNotWaitForTheParentOfTheDriver) {
  m_driver = StartDriver();
  EXPECT_EQ(Tavrind("stop").status, 0);
  EXPECT_EQ(WaitForSingleObject(m_driver, 0), WAIT_OBJECT_0);
}

TEST_F(DriverStandIn, ImportTellsTheRunningDriverToHoldTheFilesPorts) {
  StoreWord("COM3", 0x01);
  m_driver = StartDriver();
  const std::string file = m_prefix.path() + "/settings.reg";
  std::ofstream(file) << test_support::ServiceKeyHive("\"COM4\"=dword:00000027\n");
  const auto imported = Tavrind("import " + file);
  EXPECT_EQ(imported.status, 0) << imported.output;
  EXPECT_NE(imported.output.find("sent the apply command to the driver (pid " + std::to_string(DriverPid()) + ")"),
            std::string::npos)
      << imported.output;
  EXPECT_TRUE(WaitUntil([] { return !PortIsFree("COM4"); }));
  EXPECT_TRUE(PortIsFree("COM3"));
}

// While another writer holds the hive's lock the import waits; then it writes
// over the hive as that writer left it.
TEST_F(DriverStandIn, ImportWaitsForTheHivesLock) {
  const std::string file = m_prefix.path() + "/settings.reg";
  std::ofstream(file) << test_support::ServiceKeyHive("\"COM4\"=dword:00000001\n");
  auto lock = winapi::HiveLock::Open(m_prefix.HivePath());
  ASSERT_TRUE(lock && lock->Acquire());
  const HANDLE import = Start("import " + file);
  EXPECT_EQ(WaitForSingleObject(import, 500), WAIT_TIMEOUT);
  m_prefix.WriteHive(m_prefix.ReadHive() + "\"Other\"=dword:00000005\n");
  lock->Release();
  EXPECT_EQ(WaitForSingleObject(import, 20000), WAIT_OBJECT_0);
  DWORD status = 99;
  EXPECT_TRUE(GetExitCodeProcess(import, &status));
  EXPECT_EQ(status, 0u);
  CloseHandle(import);
  const std::string hive = m_prefix.ReadHive();
  EXPECT_NE(hive.find("\"Other\"=dword:00000005\n"), std::string::npos) << hive;
  EXPECT_NE(hive.find("\"COM4\"=dword:00000001\n"), std::string::npos) << hive;
}

class DeviceConsoleTool : public ::testing::Test {
 protected:
  void SetUp() override { setenv("TAVRIN_PREFIX", m_prefix.path().c_str(), 1); }
  void TearDown() override { unsetenv("TAVRIN_PREFIX"); }

  DWORD Run(const char* parameters) { return RunAndWait(kDevcon.c_str(), parameters, 60000); }

  const std::string kDevcon = std::string(DEVCON_DIR) + "/devcon.exe";
  TempPrefix m_prefix;
};

TEST_F(DeviceConsoleTool, OtherCommandLinesPrintUsageAndFail) {
  for (const char* parameters : {"", "restart", "restart ROOT\\OTHER", "remove ROOT\\TAVRIN",
                                 "restart ROOT\\TAVRIN extra", "RESTART ROOT\\TAVRIN", "restart ROOT\\TAVRIN --prefix"})
    EXPECT_EQ(Run(parameters), 2u) << parameters;
}

TEST_F(DeviceConsoleTool, WithoutARunningDriverItFails) { EXPECT_EQ(Run("restart ROOT\\TAVRIN"), 1u); }

TEST_F(DeviceConsoleTool, StalePidFileNamingAnotherProgramIsNotSignalled) {
  // This test process is alive but no driver: it must not get the SIGHUP,
  // which would end it.
  std::ofstream(tavrind::PidFilePath(m_prefix.path())) << getpid() << "\n";
  EXPECT_EQ(Run("restart ROOT\\TAVRIN"), 1u);
}

TEST_F(DeviceConsoleTool, DeviceIdentifierComparesWithoutCase) {
  // Accepted as a command line, then fails only because no driver runs.
  EXPECT_EQ(Run("restart root\\tavrin"), 1u);
}

}  // namespace
