// The world as the program's platform stand-in sees it.
#include "tests/scenario_tool/tool/world/world.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/scenario_tool/tool/world/child_processes.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace scenario {
namespace {

constexpr BYTE kCommand[] = {0x0A, 0x01, 0x42};
constexpr char kServiceSubKey[] = "System\\CurrentControlSet\\Services\\Tavrin";

HANDLE OpenDevice(const char* path) {
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Opens(const char* path) {
  HANDLE device = OpenDevice(path);
  if (device == INVALID_HANDLE_VALUE) return false;
  CloseHandle(device);
  return true;
}

DWORD WriteCommand(HANDLE device, DWORD count = 3) {
  DWORD written = 0;
  WriteFile(device, kCommand, count, &written, nullptr);
  return written;
}

TEST(ScenarioWorld, TheControlDeviceRecordsEveryWriteInCommands) {
  World world;
  HANDLE device = OpenDevice("\\\\.\\TAVRIN");
  ASSERT_NE(device, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WriteCommand(device), 3u);
  EXPECT_EQ(world.Poll().deviceWrites, (std::vector<Bytes>{{0x0A, 0x01, 0x42}}));
  EXPECT_EQ(WriteCommand(device), 3u);
  EXPECT_EQ(WriteCommand(device, 2), 2u);
  CloseHandle(device);
  EXPECT_EQ(world.Poll().deviceWrites, (std::vector<Bytes>{{0x0A, 0x01, 0x42}, {0x0A, 0x01}}));
  EXPECT_TRUE(world.Poll().deviceWrites.empty());
  EXPECT_EQ(world.Device().Writes().size(), 3u);
}

TEST(ScenarioWorld, TheDriverStopsIsHeldAndRefusesWrites) {
  World world;
  world.Apply(SetDriver{DriverState::Absent});
  EXPECT_FALSE(Opens("\\\\.\\TAVRIN"));
  world.Apply(SetDriver{DriverState::Busy});
  EXPECT_FALSE(Opens("\\\\.\\TAVRIN"));
  world.Apply(SetDriver{DriverState::Running});
  EXPECT_TRUE(Opens("\\\\.\\TAVRIN"));
  world.Apply(SetDriver{DriverState::Busy});
  EXPECT_FALSE(Opens("\\\\.\\TAVRIN"));

  world.Apply(SetDriver{DriverState::RejectsWrites});
  HANDLE device = OpenDevice("\\\\.\\TAVRIN");
  ASSERT_NE(device, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WriteCommand(device), 0u);
  CloseHandle(device);
  EXPECT_TRUE(world.Poll().deviceWrites.empty());
}

TEST(ScenarioWorld, WritesBeforeTheDriverStopsAreKept) {
  World world;
  HANDLE device = OpenDevice("\\\\.\\TAVRIN");
  ASSERT_NE(device, INVALID_HANDLE_VALUE);
  WriteCommand(device);
  CloseHandle(device);
  world.Apply(SetDriver{DriverState::Absent});
  EXPECT_EQ(world.Device().Writes().size(), 1u);
}

TEST(ScenarioWorld, PortsAreFreeOrHeldByAnotherProgram) {
  World world;
  EXPECT_FALSE(Opens("\\\\.\\COM3"));
  world.Apply(SetPort{3, false});
  world.Apply(SetPort{300, true});
  EXPECT_TRUE(Opens("\\\\.\\COM3"));
  EXPECT_FALSE(Opens("\\\\.\\COM300"));
  world.Apply(SetPort{300, false});
  EXPECT_TRUE(Opens("\\\\.\\COM300"));
  world.Apply(SetPort{3, true});
  EXPECT_FALSE(Opens("\\\\.\\COM3"));
}

TEST(ScenarioWorld, TheSettingsKeyHoldsValuesAndCanBeMissingOrReadOnly) {
  World world;
  world.Apply(SetValue{"COM3", true, {0x27, 0, 0, 0}});
  world.Apply(SetValue{"COM5", false, {1, 0, 0, 0, 0, 0, 0, 0}});
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD word = 0;
  DWORD size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM3", nullptr, nullptr, reinterpret_cast<BYTE*>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(word, 0x27u);
  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM5", nullptr, nullptr, reinterpret_cast<BYTE*>(&word), &size), ERROR_MORE_DATA);
  const DWORD stored = 0x21;
  EXPECT_EQ(RegSetValueExA(key, "COM1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), 4), ERROR_SUCCESS);
  RegCloseKey(key);
  const auto hive = world.Hive().Read();
  ASSERT_TRUE(std::holds_alternative<winapi::Hive>(hive));
  const winapi::HiveValue* value = winapi::FindHiveValue(std::get<winapi::Hive>(hive), kServiceKeyPath, "COM1");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->data, (std::vector<BYTE>{0x21, 0, 0, 0}));

  world.Apply(SetKey{KeyState::Absent});
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, &key), ERROR_SUCCESS);

  world.Apply(SetKey{KeyState::RejectsWrites});
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_NE(RegSetValueExA(key, "COM1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), 4), ERROR_SUCCESS);
  RegCloseKey(key);
  world.Apply(SetKey{KeyState::Present});
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, "COM1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored), 4), ERROR_SUCCESS);
  RegCloseKey(key);
}

// Runs devcon.exe as the program does and closes its handle; its exit code,
// STILL_ACTIVE when it runs longer than limitMs, nothing when it does not start.
std::optional<DWORD> RunDevcon(DWORD limitMs) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = "devcon.exe";
  info.lpParameters = "restart ROOT\\TAVRIN";
  info.nShow = SW_HIDE;
  if (!ShellExecuteExA(&info) || info.hProcess == nullptr) return std::nullopt;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info.hProcess, limitMs) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return code;
}

TEST(ScenarioWorld, TheDeviceConsoleToolEndsAsToldAndLogsItsRuns) {
  World world;
  EXPECT_EQ(RunDevcon(INFINITE), std::optional<DWORD>(0));
  world.Apply(SetDevcon{DevconMode::Exit, {}, 3});
  EXPECT_EQ(RunDevcon(INFINITE), std::optional<DWORD>(3));
  world.Apply(SetDevcon{DevconMode::Missing, {}, 0});
  EXPECT_EQ(RunDevcon(INFINITE), std::nullopt);
  EXPECT_EQ(world.Poll().devconRuns, (std::vector<std::string>{"restart ROOT\\TAVRIN", "restart ROOT\\TAVRIN"}));
  EXPECT_EQ(world.Devcon().Runs().size(), 2u);
}

TEST(ScenarioWorld, ARunOfTheDeviceConsoleToolStillGoingIsEndedWithTheWorld) {
  std::vector<pid_t> running;
  {
    World world;
    world.Apply(SetDevcon{DevconMode::Sleep, "30", 0});
    EXPECT_EQ(RunDevcon(0), std::optional<DWORD>(STILL_ACTIVE));
    running = RunningChildren();
  }
  ASSERT_EQ(running.size(), 1u);
  EXPECT_EQ(kill(running.front(), 0), -1) << "still there, running or unreaped";
  EXPECT_EQ(errno, ESRCH);
  EXPECT_EQ(winapi::UnreapedChildCount(), 0);
  EXPECT_TRUE(RunningChildren().empty());
}

std::size_t OpenDescriptorCount() {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}

TEST(ScenarioWorld, NothingIsLeftBehind) {
  const std::size_t descriptorsBefore = OpenDescriptorCount();
  std::string root;
  {
    World world;
    world.Apply(SetPort{1, true});
    world.Apply(SetPort{2, false});
    world.Apply(SetDriver{DriverState::Busy});
    EXPECT_GT(OpenDescriptorCount(), descriptorsBefore + 3);
    root = std::filesystem::path(winapi::Prefix()).parent_path();
    EXPECT_TRUE(std::filesystem::exists(root + "/prefix/dosdevices/com1"));
    EXPECT_TRUE(std::filesystem::exists(root + "/bin/devcon.exe"));
    EXPECT_EQ(std::string(getenv("PATH")).rfind(root + "/bin:", 0), 0u);
  }
  EXPECT_FALSE(std::filesystem::exists(root));
  EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
  EXPECT_EQ(std::string(getenv("PATH")).find(root), std::string::npos);
}

}  // namespace
}  // namespace scenario
