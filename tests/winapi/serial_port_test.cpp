// Opening serial ports through the device namespace, with real
// pseudo-terminals standing in for the ports.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/pseudo_terminal.h"
#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/uucp_lock.h"

namespace {

using test_support::PseudoTerminal;
using test_support::TempDirectory;
using test_support::TempPrefix;

HANDLE OpenPort(const char* path) {
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The open must fail with the given error and leave no handle behind.
void ExpectRefused(const char* path, DWORD expectedError) {
  const int handlesBefore = winapi::OpenFileHandleCount();
  SetLastError(ERROR_SUCCESS);
  const HANDLE port = OpenPort(path);
  EXPECT_EQ(port, INVALID_HANDLE_VALUE) << path;
  EXPECT_EQ(GetLastError(), expectedError) << path;
  if (port != INVALID_HANDLE_VALUE) CloseHandle(port);
  EXPECT_EQ(winapi::OpenFileHandleCount(), handlesBefore);
}

class SerialPortOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    winapi::SetUucpLockDirectories({m_locks / "var-lock", m_locks / "run-lock"});
    std::filesystem::create_directory(m_locks / "var-lock");
    std::filesystem::create_directory(m_locks / "run-lock");
    m_prefix.Link("com3", m_port.slavePath());
  }
  void TearDown() override { winapi::SetUucpLockDirectories({"/var/lock", "/run/lock"}); }

  void WriteLockFile(const std::string& directory, const std::string& content) {
    std::ofstream(m_locks / directory + "/LCK.." + m_port.slaveBaseName(), std::ios::binary) << content;
  }

  TempPrefix m_prefix;
  TempDirectory m_locks;
  PseudoTerminal m_port;
};

TEST_F(SerialPortOpen, FreePortOpensAndClosesOnce) {
  const HANDLE port = OpenPort("\\\\.\\COM3");
  ASSERT_NE(port, INVALID_HANDLE_VALUE);
  EXPECT_EQ(winapi::OpenFileHandleCount(), 1);
  EXPECT_TRUE(CloseHandle(port));
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(CloseHandle(port));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(SerialPortOpen, NamesCompareWithoutCase) {
  const HANDLE port = OpenPort("\\\\.\\cOm3");
  ASSERT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
}

TEST_F(SerialPortOpen, PortIsExclusiveWhileOpen) {
  const HANDLE first = OpenPort("\\\\.\\COM3");
  ASSERT_NE(first, INVALID_HANDLE_VALUE);
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  CloseHandle(first);
  const HANDLE again = OpenPort("\\\\.\\COM3");
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
}

TEST_F(SerialPortOpen, PortHeldByFlockOfAnotherProgramIsRefused) {
  winapi::UniqueFd holder = m_port.OpenSlave();
  ASSERT_TRUE(holder.Valid());
  ASSERT_EQ(flock(holder.Get(), LOCK_EX | LOCK_NB), 0);
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  holder.Close();
  const HANDLE port = OpenPort("\\\\.\\COM3");
  EXPECT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
}

TEST_F(SerialPortOpen, PortInExclusiveModeIsRefused) {
  const winapi::UniqueFd holder = m_port.OpenSlave();
  ASSERT_TRUE(holder.Valid());
  ASSERT_EQ(ioctl(holder.Get(), TIOCEXCL), 0);
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  ASSERT_EQ(ioctl(holder.Get(), TIOCNXCL), 0);
  const HANDLE port = OpenPort("\\\\.\\COM3");
  EXPECT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
}

TEST_F(SerialPortOpen, OpenChangesNoTerminalSetting) {
  const winapi::UniqueFd observer = m_port.OpenSlave();
  ASSERT_TRUE(observer.Valid());
  termios before{};
  ASSERT_EQ(tcgetattr(observer.Get(), &before), 0);
  const HANDLE port = OpenPort("\\\\.\\COM3");
  ASSERT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
  termios after{};
  ASSERT_EQ(tcgetattr(observer.Get(), &after), 0);
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  int exclusive = -1;
  ASSERT_EQ(ioctl(observer.Get(), TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0);
}

TEST_F(SerialPortOpen, UucpLockOfLiveProcessRefusesInEitherDirectory) {
  WriteLockFile("var-lock", "     " + std::to_string(getpid()) + "\n");
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  std::filesystem::remove_all(m_locks / "var-lock");
  WriteLockFile("run-lock", std::to_string(getpid()) + "\n");
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
}

TEST_F(SerialPortOpen, BinaryUucpLockOfLiveProcessRefuses) {
  const int pid = getpid();
  WriteLockFile("var-lock", std::string(reinterpret_cast<const char*>(&pid), sizeof pid));
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
}

TEST_F(SerialPortOpen, StaleUucpLockOfDeadProcessDoesNotCount) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(0);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  WriteLockFile("var-lock", "      " + std::to_string(child) + "\n");
  const int binaryPid = child;
  WriteLockFile("run-lock", std::string(reinterpret_cast<const char*>(&binaryPid), sizeof binaryPid));
  const HANDLE port = OpenPort("\\\\.\\COM3");
  EXPECT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
}

TEST_F(SerialPortOpen, UnreadableUucpLockCountsAsHeld) {
  WriteLockFile("var-lock", "");
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  WriteLockFile("var-lock", "pid twelve");
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  // A lock file that is there but does not open, such as a dangling link,
  // cannot be proved stale either.
  const std::filesystem::path lockFile = m_locks / ("var-lock/LCK.." + m_port.slaveBaseName());
  std::filesystem::remove(lockFile);
  std::filesystem::create_symlink(m_locks / "nowhere", lockFile);
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
}

TEST_F(SerialPortOpen, LockOfAnotherPortDoesNotCount) {
  std::ofstream(m_locks / "var-lock/LCK..ttyS99") << getpid() << "\n";
  const HANDLE port = OpenPort("\\\\.\\COM3");
  EXPECT_NE(port, INVALID_HANDLE_VALUE);
  CloseHandle(port);
}

// Everything behind a comN that is not a serial terminal is refused without
// being opened: opening arbitrary nodes (a FIFO, /dev/ptmx) has effects.
class NotASerialPort : public ::testing::Test {
 protected:
  TempPrefix m_prefix;
};

TEST_F(NotASerialPort, NonTerminalDeviceNodes) {
  m_prefix.Link("com1", "/dev/null");
  m_prefix.Link("com2", "/dev/full");
  m_prefix.Link("com5", "/dev/ptmx");
  m_prefix.Link("com6", "/dev/tty");
  for (const char* path : {"\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM5", "\\\\.\\COM6"})
    ExpectRefused(path, ERROR_FILE_NOT_FOUND);
}

TEST_F(NotASerialPort, RegularFileDirectoryAndFifo) {
  std::ofstream(m_prefix.Entry("com1")) << "not a port";
  std::filesystem::create_directory(m_prefix.Entry("com2"));
  ASSERT_EQ(mkfifo(m_prefix.Entry("com4").c_str(), 0600), 0);
  for (const char* path : {"\\\\.\\COM1", "\\\\.\\COM2", "\\\\.\\COM4"}) ExpectRefused(path, ERROR_FILE_NOT_FOUND);
}

TEST_F(NotASerialPort, MissingDanglingAndLoopingEntries) {
  m_prefix.Link("com7", m_prefix.path() + "/nothing-here");
  m_prefix.Link("com8", m_prefix.Entry("com9"));
  m_prefix.Link("com9", m_prefix.Entry("com8"));
  for (const char* path : {"\\\\.\\COM1", "\\\\.\\COM7", "\\\\.\\COM8"}) ExpectRefused(path, ERROR_FILE_NOT_FOUND);
}

TEST_F(NotASerialPort, PathsOutsideTheDeviceNamespace) {
  PseudoTerminal terminal;
  m_prefix.Link("com3", terminal.slavePath());
  for (const char* path : {"COM3", "\\\\.\\", "\\\\?\\COM3", "\\\\.\\..", "\\\\.\\.", "\\\\.\\sub\\com3",
                           "\\\\.\\../dosdevices/com3", "//./COM3", ""})
    ExpectRefused(path, ERROR_PATH_NOT_FOUND);
  ExpectRefused(terminal.slavePath().c_str(), ERROR_PATH_NOT_FOUND);
  ExpectRefused(nullptr, ERROR_PATH_NOT_FOUND);
}

TEST(HandleTable, StaleHandleNeverReachesALaterObject) {
  TempPrefix prefix;
  PseudoTerminal first;
  PseudoTerminal second;
  prefix.Link("com1", first.slavePath());
  prefix.Link("com2", second.slavePath());
  const HANDLE stale = OpenPort("\\\\.\\COM1");
  ASSERT_NE(stale, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(CloseHandle(stale));
  const HANDLE live = OpenPort("\\\\.\\COM2");
  ASSERT_NE(live, INVALID_HANDLE_VALUE);
  EXPECT_NE(live, stale);
  EXPECT_FALSE(CloseHandle(stale));
  // The live handle still holds its port.
  ExpectRefused("\\\\.\\COM2", ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(CloseHandle(live));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

// Handles closed out of the order they were opened in: each close releases
// exactly its own port, and a closed handle stays closed.
TEST(HandleTable, ClosingOutOfOrderReleasesOnlyThatHandle) {
  TempPrefix prefix;
  PseudoTerminal terminals[3];
  HANDLE ports[3];
  for (int i = 0; i < 3; ++i) {
    prefix.Link("com" + std::to_string(i + 1), terminals[i].slavePath());
    ports[i] = OpenPort(("\\\\.\\COM" + std::to_string(i + 1)).c_str());
    ASSERT_NE(ports[i], INVALID_HANDLE_VALUE);
  }
  EXPECT_TRUE(CloseHandle(ports[1]));
  EXPECT_FALSE(CloseHandle(ports[1]));
  ExpectRefused("\\\\.\\COM1", ERROR_SHARING_VIOLATION);
  ExpectRefused("\\\\.\\COM3", ERROR_SHARING_VIOLATION);
  const HANDLE again = OpenPort("\\\\.\\COM2");
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  for (const HANDLE port : {ports[2], again, ports[0]}) EXPECT_TRUE(CloseHandle(port));
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
}

}  // namespace
