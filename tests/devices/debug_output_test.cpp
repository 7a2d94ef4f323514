// OutputDebugStringA through the replaceable sink, and its default: standard
// error.
#include <fcntl.h>
#include <unistd.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "stand_in.h"

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

TEST(DebugOutput, DefaultSinkWritesToStandardError) {
  int channel[2];
  ASSERT_EQ(pipe2(channel, O_CLOEXEC | O_NONBLOCK), 0);
  const int savedError = dup(STDERR_FILENO);
  ASSERT_GE(savedError, 0);
  dup2(channel[1], STDERR_FILENO);
  winapi::SetDebugSink([](const char*) {});
  winapi::SetDebugSink(nullptr);  // back to the default
  OutputDebugStringA("dwSetting: 5, BaudIndex: 0\n");
  dup2(savedError, STDERR_FILENO);
  close(savedError);

  char buffer[128] = {};
  const ssize_t count = read(channel[0], buffer, sizeof buffer);
  close(channel[0]);
  close(channel[1]);
  EXPECT_EQ(std::string(buffer, count > 0 ? static_cast<std::size_t>(count) : 0), "dwSetting: 5, BaudIndex: 0\n");
}

}  // namespace
