// ShellExecuteExA, WaitForSingleObject and GetExitCodeProcess of the stand-in.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/file_text.h"
#include "tests/support/process_probes.h"
#include "tests/support/temp_directory.h"
#include "winapi/stand_in.h"
#include "winapi/unique_fd.h"

namespace {

using test_support::ChildrenNamed;
using test_support::FileText;
using test_support::TempDirectory;
using test_support::WaitUntil;

const std::string kProbe = SPAWN_PROBE_PATH;

SHELLEXECUTEINFOA StartInfo(const char* file, const char* parameters) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = file;
  info.lpParameters = parameters;
  info.nShow = SW_HIDE;
  return info;
}

// Starts the program, waits for it and returns its exit code.
DWORD RunToEnd(SHELLEXECUTEINFOA info) {
  EXPECT_TRUE(ShellExecuteExA(&info));
  EXPECT_NE(info.hProcess, nullptr);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD exitCode = 12345;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  return exitCode;
}

// Standard input and output of this process replaced by a pipe for a scope,
// so that a child that inherited them would not see /dev/null.
class StandardStreamsOnAPipe {
 public:
  StandardStreamsOnAPipe() : m_savedIn(dup(STDIN_FILENO)), m_savedOut(dup(STDOUT_FILENO)) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return;
    m_reader = winapi::UniqueFd(ends[0]);
    m_writer = winapi::UniqueFd(ends[1]);
    dup2(m_reader.Get(), STDIN_FILENO);
    dup2(m_writer.Get(), STDOUT_FILENO);
  }
  ~StandardStreamsOnAPipe() {
    dup2(m_savedIn.Get(), STDIN_FILENO);
    dup2(m_savedOut.Get(), STDOUT_FILENO);
  }

 private:
  winapi::UniqueFd m_savedIn;
  winapi::UniqueFd m_savedOut;
  winapi::UniqueFd m_reader;
  winapi::UniqueFd m_writer;
};

TEST(ShellExecute, ProgramRunsHiddenWithoutStandardInputOrOutput) {
  DWORD exitCode = 0;
  {
    StandardStreamsOnAPipe redirected;
    exitCode = RunToEnd(StartInfo(kProbe.c_str(), "hidden"));
  }
  EXPECT_EQ(exitCode, 0u);
}

TEST(ShellExecute, ParametersAreSplitAtBlanksOnly) {
  TempDirectory directory;
  const std::string output = directory / "words";
  const std::string parameters = "write " + output + "   restart\tROOT\\TAVRIN  \"a\" ";
  EXPECT_EQ(RunToEnd(StartInfo(kProbe.c_str(), parameters.c_str())), 0u);
  EXPECT_EQ(FileText(output), "restart|ROOT\\TAVRIN|\"a\"");
}

TEST(ShellExecute, NoParametersGiveOnlyTheProgram) {
  EXPECT_EQ(RunToEnd(StartInfo(kProbe.c_str(), nullptr)), 100u);
  EXPECT_EQ(RunToEnd(StartInfo(kProbe.c_str(), "")), 100u);
}

TEST(ShellExecute, StartsInTheGivenDirectoryOrInOurs) {
  TempDirectory directory;
  const std::string parameters = "cwd " + directory.path();
  SHELLEXECUTEINFOA info = StartInfo(kProbe.c_str(), parameters.c_str());
  info.lpDirectory = directory.path().c_str();
  EXPECT_EQ(RunToEnd(info), 0u);
  info.lpDirectory = nullptr;
  EXPECT_EQ(RunToEnd(info), 1u);
  const std::string here = "cwd .";
  EXPECT_EQ(RunToEnd(StartInfo(kProbe.c_str(), here.c_str())), 0u);
}

TEST(ShellExecute, MissingDirectoryStartsNothing) {
  SHELLEXECUTEINFOA info = StartInfo(kProbe.c_str(), "exit 0");
  info.lpDirectory = "/nonexistent/directory";
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(ShellExecute, ProgramNotFoundGivesNoHandleAndTheWaitFailsAtOnce) {
  SHELLEXECUTEINFOA info = StartInfo("tavrin-no-such-program.exe", "x");
  info.hProcess = reinterpret_cast<HANDLE>(0x1234);
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 8000), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DWORD exitCode = 777;
  EXPECT_FALSE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, 777u);
}

// The shell's error box: for a program it could not start, over the record's
// window, unless the record asks for no such box.
TEST(ShellExecute, AFailedStartIsReportedInTheShellsErrorBox) {
  std::vector<std::pair<HWND, std::string>> shown;
  winapi::SetShellErrorBox([&](HWND owner, const std::string& text) { shown.emplace_back(owner, text); });
  SHELLEXECUTEINFOA info = StartInfo("tavrin-no-such-program.exe", "x");
  info.hwnd = reinterpret_cast<HWND>(0x5678);
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));  // the box leaves it as the start failed
  info.fMask |= SEE_MASK_FLAG_NO_UI;
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(RunToEnd(StartInfo(kProbe.c_str(), "exit 0")), 0u);
  winapi::SetShellErrorBox(nullptr);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, info.hwnd);
  EXPECT_EQ(shown[0].second, "Cannot start \"tavrin-no-such-program.exe\" (No such file or directory).");
}

TEST(ShellExecute, BadRecordsAreRefused) {
  EXPECT_FALSE(ShellExecuteExA(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SHELLEXECUTEINFOA info = StartInfo(kProbe.c_str(), "exit 0");
  info.cbSize = 60;
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(info.hProcess, nullptr);
  info = StartInfo(nullptr, "exit 0");
  EXPECT_FALSE(ShellExecuteExA(&info));
  info = StartInfo("", "exit 0");
  EXPECT_FALSE(ShellExecuteExA(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(ChildrenNamed("spawn_probe").empty());
}

TEST(ShellExecute, RunningProcessIsStillActiveUntilItEnds) {
  SHELLEXECUTEINFOA info = StartInfo("sleep", "20");
  ASSERT_TRUE(ShellExecuteExA(&info));
  DWORD exitCode = 0;
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(winapi::OpenProcessHandleCount(), 1);

  const std::vector<pid_t> sleepers = ChildrenNamed("sleep");
  ASSERT_EQ(sleepers.size(), 1u);
  ASSERT_EQ(kill(sleepers.front(), SIGTERM), 0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode));
  EXPECT_EQ(exitCode, 128u + SIGTERM);
  EXPECT_EQ(winapi::UnreapedChildCount(), 0);
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_EQ(winapi::OpenProcessHandleCount(), 0);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 0), WAIT_FAILED);
  EXPECT_FALSE(CloseHandle(info.hProcess));
}

TEST(ShellExecute, EndedChildIsAZombieOnlyWhileItsHandleIsOpen) {
  SHELLEXECUTEINFOA info = StartInfo(kProbe.c_str(), "exit 3");
  ASSERT_TRUE(ShellExecuteExA(&info));
  EXPECT_TRUE(WaitUntil([] { return winapi::UnreapedChildCount() == 1; }));
  EXPECT_TRUE(CloseHandle(info.hProcess));
  EXPECT_EQ(winapi::UnreapedChildCount(), 0);
  EXPECT_TRUE(ChildrenNamed("spawn_probe").empty());
}

TEST(ShellExecute, WithoutTheProcessHandleTheChildIsStillReaped) {
  TempDirectory directory;
  const std::string output = directory / "done";
  const std::string parameters = "write " + output + " ran";
  SHELLEXECUTEINFOA info = StartInfo(kProbe.c_str(), parameters.c_str());
  info.fMask = 0;
  EXPECT_TRUE(ShellExecuteExA(&info));
  EXPECT_EQ(info.hProcess, nullptr);
  EXPECT_TRUE(WaitUntil([] { return ChildrenNamed("spawn_probe").empty(); }));
  EXPECT_EQ(winapi::UnreapedChildCount(), 0);
  EXPECT_EQ(FileText(output), "ran");
}

TEST(ShellExecute, WaitAndExitCodeRefuseHandlesOfOtherKinds) {
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, INFINITE), WAIT_FAILED);
  DWORD exitCode = 0;
  EXPECT_FALSE(GetExitCodeProcess(reinterpret_cast<HANDLE>(0x100), &exitCode));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
