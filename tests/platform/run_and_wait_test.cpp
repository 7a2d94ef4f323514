// RunAndWait over the stand-in's process calls: exit codes, programs that do
// not start, time-outs, and that nothing is left behind.
#include <signal.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <chrono>
#include <string>

#include "platform/run_and_wait.h"
#include "tests/support/process_probes.h"
#include "winapi/stand_in.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildrenNamed;
using test_support::OpenDescriptorCount;
using test_support::ProcessState;
using test_support::WaitUntil;

const std::string kProbe = SPAWN_PROBE_PATH;

bool NothingLeftBehind(int descriptorsBefore) {
  return winapi::OpenProcessHandleCount() == 0 && winapi::UnreapedChildCount() == 0 &&
         OpenDescriptorCount() == descriptorsBefore;
}

TEST(RunAndWait, ReturnsTheExitCode) {
  const int before = OpenDescriptorCount();
  EXPECT_EQ(RunAndWait(kProbe.c_str(), "exit 0", 20000), 0u);
  EXPECT_EQ(RunAndWait(kProbe.c_str(), "exit 42", 20000), 42u);
  EXPECT_EQ(RunAndWait(kProbe.c_str(), "exit 255", 20000), 255u);
  EXPECT_TRUE(NothingLeftBehind(before));
  EXPECT_TRUE(ChildrenNamed("spawn_probe").empty());
}

TEST(RunAndWait, ProgramEndedBySignalGives128PlusTheSignal) {
  EXPECT_EQ(RunAndWait(kProbe.c_str(), "kill-self", 20000), 128u + SIGKILL);
}

TEST(RunAndWait, MissingProgramReturnsAtOnceWithNoProcess) {
  const int before = OpenDescriptorCount();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunAndWait("tavrin-no-such-program.exe", "restart ROOT\\TAVRIN", 8000), WAIT_FAILED);
  EXPECT_EQ(RunAndWait("/nonexistent/devcon.exe", "", 8000), WAIT_FAILED);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_TRUE(NothingLeftBehind(before));
}

TEST(RunAndWait, NonExecutableFileDoesNotStart) {
  EXPECT_EQ(RunAndWait("/etc/passwd", "", 8000), WAIT_FAILED);
  EXPECT_EQ(winapi::OpenProcessHandleCount(), 0);
}

TEST(RunAndWait, SleeperPastTheLimitIsLeftRunningAndReapedWhenItEnds) {
  const int before = OpenDescriptorCount();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunAndWait("sleep", "20", 300), static_cast<DWORD>(WAIT_TIMEOUT));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, 300ms);
  EXPECT_LT(waited, 10s);
  EXPECT_EQ(winapi::OpenProcessHandleCount(), 0);

  const std::vector<pid_t> sleepers = ChildrenNamed("sleep");
  ASSERT_EQ(sleepers.size(), 1u);
  const pid_t sleeper = sleepers.front();
  const char state = ProcessState(sleeper);
  EXPECT_TRUE(state == 'S' || state == 'R') << state;  // still running, not killed
  EXPECT_EQ(winapi::UnreapedChildCount(), 0);

  ASSERT_EQ(kill(sleeper, SIGKILL), 0);
  // Reaped by the stand-in: the process disappears entirely, never a zombie left.
  EXPECT_TRUE(WaitUntil([&] { return ProcessState(sleeper) == 0; }));
  EXPECT_TRUE(WaitUntil([&] { return NothingLeftBehind(before); }));
}

TEST(RunAndWait, DeviceConsoleToolFoundThroughThePath) {
  const std::string savedPath = getenv("PATH");
  setenv("PATH", (std::string(DEVCON_DIR) + ":" + savedPath).c_str(), 1);
  // No driver runs for this prefix, so the tool starts, fails and says so.
  setenv("TAVRIN_PREFIX", "/nonexistent/tavrin-prefix", 1);
  EXPECT_EQ(RunAndWait("devcon.exe", "restart ROOT\\TAVRIN", 8000), 1u);
  EXPECT_EQ(RunAndWait("devcon.exe", "restart", 8000), 2u);
  setenv("PATH", savedPath.c_str(), 1);
  unsetenv("TAVRIN_PREFIX");
}

}  // namespace
