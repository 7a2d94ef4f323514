// The driver's control device (a FIFO the driver reads) and other character
// devices in the namespace, through CreateFileA/WriteFile/CloseHandle and the
// platform's device operations.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>
#include <vector>

#include "platform/device_io.h"
#include "tests/support/process_probes.h"
#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/unique_fd.h"

namespace {

using test_support::TempPrefix;

class ControlDevice : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(mkfifo(m_prefix.Entry("tavrin").c_str(), 0600), 0); }
  void StartReader() {
    m_reader = winapi::UniqueFd(open(m_prefix.Entry("tavrin").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  }
  // Fills the pipe until it takes no more, through a descriptor of its own;
  // the count of bytes it holds.
  std::size_t FillPipe() const {
    const winapi::UniqueFd other(open(m_prefix.Entry("tavrin").c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    const std::vector<BYTE> block(4096, 0x41);
    std::size_t held = 0;
    for (ssize_t count; (count = write(other.Get(), block.data(), block.size())) > 0;) {
      held += static_cast<std::size_t>(count);
    }
    return held;
  }
  // Reads until `count` bytes came or the writers are gone.
  std::vector<BYTE> ReadBytes(std::size_t count) const {
    std::vector<BYTE> bytes;
    BYTE buffer[4096];
    while (bytes.size() < count) {
      const ssize_t got = read(m_reader.Get(), buffer, sizeof buffer);
      if (got == 0) break;
      if (got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
      if (got < 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return bytes;
  }

  TempPrefix m_prefix;
  winapi::UniqueFd m_reader;
};

TEST_F(ControlDevice, WithoutReaderTheDriverIsNotRunning) {
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
}

TEST_F(ControlDevice, ApplyCommandReachesTheReaderInOneWrite) {
  StartReader();
  ASSERT_TRUE(m_reader.Valid());
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  EXPECT_EQ(WriteDevice(device, kApplyCommand, sizeof kApplyCommand), 3u);
  device.Close();
  EXPECT_FALSE(device.IsOpen());
  BYTE received[8] = {};
  ASSERT_EQ(read(m_reader.Get(), received, sizeof received), 3);
  EXPECT_EQ(std::vector<BYTE>(received, received + 3), std::vector<BYTE>(kApplyCommand, kApplyCommand + 3));
}

TEST_F(ControlDevice, HeldByAnotherProgramIsRefused) {
  StartReader();
  const int otherProgram = open(m_prefix.Entry("tavrin").c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(otherProgram, 0);
  ASSERT_EQ(flock(otherProgram, LOCK_EX | LOCK_NB), 0);
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  close(otherProgram);
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  EXPECT_TRUE(device.IsOpen());
  device.Close();
}

TEST_F(ControlDevice, OpenOnceAtATime) {
  StartReader();
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  EXPECT_FALSE(OpenDeviceExclusive("\\\\.\\Tavrin").IsOpen());
  device.Close();
}

TEST_F(ControlDevice, ASlowDriverDelaysTheWriteAndGetsTheWholeCommand) {
  StartReader();
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  const std::size_t held = FillPipe();
  ASSERT_GT(held, 0u);
  // The driver reads again only a while later; the write cannot end before.
  std::atomic<bool> reading{false};
  std::vector<BYTE> received;
  std::thread driver([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    reading = true;
    received = ReadBytes(held + 3);
  });
  const DWORD written = WriteDevice(device, kApplyCommand, sizeof kApplyCommand);
  const bool driverHadRead = reading;
  device.Close();
  driver.join();
  EXPECT_EQ(written, 3u);
  EXPECT_TRUE(driverHadRead) << "the write returned while the pipe was still full";
  ASSERT_EQ(received.size(), held + 3);
  EXPECT_EQ(std::vector<BYTE>(received.end() - 3, received.end()), std::vector<BYTE>(kApplyCommand, kApplyCommand + 3));
}

TEST_F(ControlDevice, ADriverThatGoesAwayDuringTheWriteFailsItAndEndsNothing) {
  StartReader();
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  ASSERT_GT(FillPipe(), 0u);
  std::thread driver([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_reader.Close();
  });
  DWORD written = 1234;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(WriteFile(device.Get(), kApplyCommand, 3, &written, nullptr)) << "and SIGPIPE did not end the test";
  driver.join();
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
}

TEST_F(ControlDevice, HandleIsClosedExactlyOnceByCloseMoveOrScope) {
  StartReader();
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  device.Close();
  device.Close();
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
  EXPECT_EQ(WriteDevice(device, kApplyCommand, 3), 0u);

  {
    UniqueHandle first = OpenDeviceExclusive(kControlDevicePath);
    device = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(winapi::OpenFileHandleCount(), 1);
  }
  EXPECT_TRUE(device.IsOpen());
  device = OpenDeviceExclusive(kControlDevicePath);  // refused while held: the old one is closed
  EXPECT_FALSE(device.IsOpen());
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
  {
    const UniqueHandle scoped = OpenDeviceExclusive(kControlDevicePath);
    EXPECT_TRUE(scoped.IsOpen());
  }
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
}

TEST_F(ControlDevice, NoDescriptorOutlivesItsHandle) {
  StartReader();
  const int before = test_support::OpenDescriptorCount();
  for (int round = 0; round < 20; ++round) {
    UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
    WriteDevice(device, kApplyCommand, 3);
    device.Close();
    OpenDeviceExclusive("\\\\.\\COM1");  // refused: no such port
  }
  EXPECT_EQ(test_support::OpenDescriptorCount(), before);
}

TEST(OtherDevice, FullDeviceAcceptsTheOpenAndFailsTheWrite) {
  TempPrefix prefix;
  prefix.Link("tavrin", "/dev/full");
  UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
  ASSERT_TRUE(device.IsOpen());
  DWORD written = 99;
  EXPECT_FALSE(WriteFile(device.Get(), kApplyCommand, 3, &written, nullptr));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WRITE_FAULT));
  EXPECT_EQ(WriteDevice(device, kApplyCommand, 3), 0u);
  device.Close();
}

TEST(OtherDevice, MissingEntryRegularFileAndDirectoryAreNoDevices) {
  TempPrefix prefix;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  std::filesystem::create_directory(prefix.Entry("tavrin"));
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
  std::filesystem::remove(prefix.Entry("tavrin"));
  { std::ofstream(prefix.Entry("tavrin")) << "x"; }
  EXPECT_FALSE(OpenDeviceExclusive(kControlDevicePath).IsOpen());
  EXPECT_EQ(winapi::OpenFileHandleCount(), 0);
}

TEST(OtherDevice, OnlyExistingDevicesOpen) {
  TempPrefix prefix;
  prefix.Link("tavrin", "/dev/full");
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(CreateFileA(kControlDevicePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(DeviceIo, SerialPortPathPrefixesEveryName) {
  EXPECT_EQ(SerialPortPath("COM1"), "\\\\.\\COM1");
  EXPECT_EQ(SerialPortPath("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(SerialPortPath("COM225"), "\\\\.\\COM225");
}

}  // namespace
