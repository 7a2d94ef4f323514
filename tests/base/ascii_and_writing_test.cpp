#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "base/ascii.h"
#include "base/write_all.h"

namespace {

TEST(Ascii, CaseFoldsLettersOnly) {
  EXPECT_EQ(base::LowerAscii("System\\CurrentControlSet-É1"), "system\\currentcontrolset-É1");
  EXPECT_TRUE(base::EqualsIgnoringAsciiCase("COM12", "com12"));
  EXPECT_FALSE(base::EqualsIgnoringAsciiCase("COM12", "com1"));
  EXPECT_FALSE(base::EqualsIgnoringAsciiCase("@", "`"));  // neighbours of the letters
  EXPECT_TRUE(base::StartsWithIgnoringAsciiCase("HKEY_LOCAL_MACHINE\\x", "hkey_local_machine"));
  EXPECT_FALSE(base::StartsWithIgnoringAsciiCase("HKEY", "hkey_local"));
}

// A pipe takes 64 KiB at once; the rest is written as the reader drains it.
TEST(WriteAll, WritesMoreThanThePipeHoldsAndReportsAClosedReader) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const std::string data(256 * 1024, 'x');
  const pid_t reader = fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) {
    close(pipeEnds[1]);
    std::string got;
    char chunk[4096];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) got.append(chunk, static_cast<std::size_t>(n));
    _exit(got == data ? 0 : 1);
  }
  close(pipeEnds[0]);
  EXPECT_TRUE(base::WriteAll(pipeEnds[1], data));
  close(pipeEnds[1]);
  int status = 0;
  ASSERT_EQ(waitpid(reader, &status, 0), reader);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  ASSERT_EQ(pipe(pipeEnds), 0);
  close(pipeEnds[0]);
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  EXPECT_FALSE(base::WriteAll(pipeEnds[1], "lost"));
  std::signal(SIGPIPE, previous);
  close(pipeEnds[1]);
}

}  // namespace
