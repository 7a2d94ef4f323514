// OutputDebugStringA through the replaceable sink, and its default: the
// system log at debug priority, never the person's terminal.
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "winapi/stand_in.h"

namespace {

TEST(DebugOutput, SinkReceivesEveryTextAsGiven) {
  std::vector<std::string> received;
  winapi::SetDebugSink([&](const char* text) { received.emplace_back(text); });
  OutputDebugStringA("dwSetting: 27, BaudIndex: 4\n");
  OutputDebugStringA("");
  OutputDebugStringA(nullptr);
  winapi::SetDebugSink(nullptr);
  EXPECT_EQ(received, (std::vector<std::string>{"dwSetting: 27, BaudIndex: 4\n", ""}));
}

// What the default sink did in a child with a private /dev: first with no
// system log there, then with a log socket the child listens on.
struct DefaultSinkRun {
  std::string standardError;  // both calls
  std::string logRecord;      // the second call's datagram
};

constexpr int kSkipped = 77;

[[noreturn]] void RunDefaultSinkInPrivateDev(int report) {
  if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("none", "/dev", "tmpfs", 0, nullptr) != 0)
    _exit(kSkipped);
  int channel[2];
  if (pipe2(channel, O_NONBLOCK) != 0) _exit(1);
  dup2(channel[1], STDERR_FILENO);
  winapi::SetDebugSink([](const char*) {});
  winapi::SetDebugSink(nullptr);                       // back to the default
  OutputDebugStringA("dwSetting: 1, BaudIndex: 0\n");  // no system log: dropped

  const int log = socket(AF_UNIX, SOCK_DGRAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, "/dev/log");
  if (log < 0 || bind(log, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) _exit(1);
  OutputDebugStringA("dwSetting: 5, BaudIndex: 0\n");

  char buffer[512] = {};
  pollfd ready{log, POLLIN, 0};
  const ssize_t record = poll(&ready, 1, 10000) == 1 ? recv(log, buffer, sizeof buffer - 1, 0) : -1;
  const ssize_t error = read(channel[0], buffer + 256, 255);
  const std::string text = std::string(buffer, record > 0 ? static_cast<std::size_t>(record) : 0) + '\0' +
                           std::string(buffer + 256, error > 0 ? static_cast<std::size_t>(error) : 0);
  [[maybe_unused]] const ssize_t written = write(report, text.data(), text.size());
  _exit(0);
}

TEST(DebugOutput, DefaultGoesToTheSystemLogAtDebugPriorityAndNeverToTheTerminal) {
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) RunDefaultSinkInPrivateDev(report[1]);
  close(report[1]);
  std::string text;
  char buffer[512];
  for (ssize_t count; (count = read(report[0], buffer, sizeof buffer)) > 0;) text.append(buffer, count);
  close(report[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kSkipped) GTEST_SKIP() << "no private mount namespace here";
  ASSERT_EQ(WEXITSTATUS(status), 0);

  const std::string record = text.substr(0, text.find('\0'));
  const std::string standardError = text.substr(record.size() + 1);
  // LOG_USER | LOG_DEBUG is 15; the tag is the program's name.
  EXPECT_TRUE(record.starts_with("<15>")) << record;
  EXPECT_TRUE(record.ends_with(std::string(program_invocation_short_name) + ": dwSetting: 5, BaudIndex: 0")) << record;
  EXPECT_EQ(standardError, "");
}

}  // namespace
