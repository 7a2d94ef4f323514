// Several processes on one hive: readers never see a half-written file,
// writers never lose each other's values, and a writer killed at any moment
// leaves a hive that parses and holds the old or the new words of a key's
// writes, all of them from one or the other.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <thread>

#include "tests/support/temp_prefix.h"
#include "winapi/hive.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace {

using test_support::kServiceKeyPath;
using test_support::kServiceSubKey;
using test_support::ServiceKeyHive;
using test_support::TempPrefix;

constexpr int kPorts = 225;

std::string PortName(int port) { return "COM" + std::to_string(port); }

LONG SetWord(HKEY key, const std::string& name, DWORD word) {
  return RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
}

// The words of COM1 to COM225 in the hive text; false when it does not parse
// or a value is missing or not a word.
bool ReadPortWords(const std::string& text, std::vector<DWORD>& words) {
  winapi::HiveError error;
  const std::optional<winapi::Hive> hive = winapi::ParseHive(text, &error);
  if (!hive) {
    ADD_FAILURE() << "the hive does not parse: line " << error.line << ": " << error.message;
    return false;
  }
  // One pass over the lines: a lookup per port would make every check quadratic.
  words.assign(kPorts, 0);
  std::vector<bool> seen(kPorts, false);
  for (const winapi::HiveKey& key : hive->keys) {
    if (!winapi::SameRegistryName(key.path, kServiceKeyPath)) continue;
    for (const winapi::HiveLine& line : key.lines) {
      if (!line.value || !line.value->name.starts_with("COM")) continue;
      const int port = std::atoi(line.value->name.c_str() + 3);
      if (port < 1 || port > kPorts) continue;
      if (line.value->type != REG_DWORD || line.value->data.size() != 4) {
        ADD_FAILURE() << line.value->name << " is not a word";
        return false;
      }
      words[port - 1] = 0;
      for (int byte = 3; byte >= 0; --byte) words[port - 1] = words[port - 1] << 8 | line.value->data[byte];
      seen[port - 1] = true;
    }
  }
  if (std::count(seen.begin(), seen.end(), false) != 0) {
    ADD_FAILURE() << "a port's value is missing";
    return false;
  }
  return true;
}

std::string HiveOfWords(DWORD word) {
  std::string values;
  char line[40];
  for (int port = 1; port <= kPorts; ++port) {
    std::snprintf(line, sizeof line, "\"COM%d\"=dword:%08x\n", port, static_cast<unsigned>(word));
    values += line;
  }
  return ServiceKeyHive(values);
}

// Waits for a child and returns its exit code, or -signal when a signal ended it.
int WaitForExit(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1000;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

bool Readable(int fd) {
  pollfd poller{fd, POLLIN, 0};
  return ::poll(&poller, 1, 0) > 0;
}

class RegistryProcesses : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(winapi::OpenKeyCount(), 0); }
  TempPrefix m_prefix;
};

// A reader loops over open, three queries and close until told to stop, then
// reports how many rounds it made; it exits 1 on the first failed open or query.
[[noreturn]] void ReadUntilStopped(int ready, int stop) {
  long rounds = 0;
  while (!Readable(stop)) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, &key) != ERROR_SUCCESS) ::_exit(1);
    for (const char* name : {"COM1", "COM113", "COM225"}) {
      DWORD word = 0;
      DWORD size = sizeof word;
      if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size) != ERROR_SUCCESS) {
        ::_exit(1);
      }
    }
    RegCloseKey(key);
    if (++rounds == 1 && ::write(ready, "r", 1) != 1) ::_exit(2);
  }
  if (::write(ready, &rounds, sizeof rounds) != sizeof rounds) ::_exit(2);
  ::_exit(0);
}

TEST_F(RegistryProcesses, AReaderNeverSeesAHalfWrittenHive) {
  m_prefix.WriteHive(HiveOfWords(0));
  int ready[2];
  int stop[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(stop), 0);
  const pid_t reader = ::fork();
  ASSERT_GE(reader, 0);
  if (reader == 0) ReadUntilStopped(ready[1], stop[0]);
  // Only the reader keeps these ends, so a reader that died reads as the end of the pipe.
  ::close(ready[1]);
  ::close(stop[0]);
  char started = 0;
  ASSERT_EQ(::read(ready[0], &started, 1), 1) << "the reader failed at once: exit " << WaitForExit(reader);

  // Many replacements of the hive while the reader reads.
  constexpr int kRounds = 40;
  const auto begin = std::chrono::steady_clock::now();
  for (int round = 1; round <= kRounds; ++round) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (int port = 1; port <= kPorts; ++port) ASSERT_EQ(SetWord(key, PortName(port), round), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);

  // A reader that failed has closed its end; telling it to stop must not kill us.
  const auto previousHandler = std::signal(SIGPIPE, SIG_IGN);
  const bool told = ::write(stop[1], "s", 1) == 1;
  std::signal(SIGPIPE, previousHandler);
  long rounds = 0;
  const ssize_t reported = ::read(ready[0], &rounds, sizeof rounds);
  EXPECT_EQ(WaitForExit(reader), 0) << "the reader failed to open or query the key";
  EXPECT_TRUE(told);
  EXPECT_EQ(reported, static_cast<ssize_t>(sizeof rounds));
  ::close(ready[0]);
  ::close(stop[1]);
  std::cout << kRounds << " stores of " << kPorts << " writes took " << elapsed.count() << " ms while the reader made "
            << rounds << " rounds\n";

  std::vector<DWORD> words;
  ASSERT_TRUE(ReadPortWords(m_prefix.ReadHive(), words));
  EXPECT_EQ(words, std::vector<DWORD>(kPorts, kRounds));
}

TEST_F(RegistryProcesses, ConcurrentWritersKeepEachOthersValues) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  std::vector<pid_t> writers;
  for (const char* family : {"A", "B"}) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      char start = 0;
      if (::read(go[0], &start, 1) != 1) ::_exit(2);
      // Ten stores of ten values each, interleaved with the other writer's.
      for (int first = 1; first <= 100; first += 10) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) ::_exit(1);
        for (int index = first; index < first + 10; ++index) {
          if (SetWord(key, family + std::to_string(index), static_cast<DWORD>(index)) != ERROR_SUCCESS) ::_exit(1);
        }
        if (RegCloseKey(key) != ERROR_SUCCESS) ::_exit(1);
      }
      ::_exit(0);
    }
    writers.push_back(writer);
  }
  ASSERT_EQ(::write(go[1], "gg", 2), 2);
  for (const pid_t writer : writers) EXPECT_EQ(WaitForExit(writer), 0);
  ::close(go[0]);
  ::close(go[1]);

  const std::optional<winapi::Hive> hive = winapi::ParseHive(m_prefix.ReadHive(), nullptr);
  ASSERT_TRUE(hive);
  for (const char* family : {"A", "B"}) {
    for (int index = 1; index <= 100; ++index) {
      const std::string name = family + std::to_string(index);
      const winapi::HiveValue* value = winapi::FindHiveValue(*hive, kServiceKeyPath, name);
      ASSERT_TRUE(value) << name << " was lost";
      EXPECT_EQ(value->data[0], index) << name;
    }
  }
}

// Writes COM1 to COM225 in passes until killed, each pass through a key of
// its own; pass p of writer w writes the word w << 16 | p.
[[noreturn]] void WriteUntilKilled(DWORD writer, int ready) {
  for (DWORD pass = 1;; ++pass) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) ::_exit(1);
    if (pass == 1 && ::write(ready, "r", 1) != 1) ::_exit(2);
    for (int port = 1; port <= kPorts; ++port) {
      if (SetWord(key, PortName(port), writer << 16 | pass) != ERROR_SUCCESS) ::_exit(3);
    }
    if (RegCloseKey(key) != ERROR_SUCCESS) ::_exit(4);
  }
}

// After writer w was killed, every port holds the word of one pass of w, or
// all hold what they held before it ran.
void ExpectOldOrNewWords(DWORD writer, const std::vector<DWORD>& before, const std::vector<DWORD>& after) {
  if (after == before) return;
  const DWORD newest = after[0];
  ASSERT_EQ(newest >> 16, writer) << "COM1 holds a word no writer wrote: " << std::hex << newest;
  ASSERT_GE(newest & 0xFFFF, 1u);
  for (std::size_t port = 1; port < after.size(); ++port) {
    ASSERT_EQ(after[port], newest) << "COM" << port + 1 << " is not from the pass of COM1";
  }
}

TEST_F(RegistryProcesses, AWriterKilledAtAnyMomentLeavesAWholeHive) {
  constexpr int kKills = 200;
  m_prefix.WriteHive(HiveOfWords(0));
  std::vector<DWORD> before(kPorts, 0);
  std::mt19937 random(1234);
  int killedMidWrite = 0;
  const auto begin = std::chrono::steady_clock::now();

  for (int kill = 1; kill <= kKills; ++kill) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) WriteUntilKilled(static_cast<DWORD>(kill), ready[1]);
    ::close(ready[1]);
    char started = 0;
    const ssize_t got = ::read(ready[0], &started, 1);
    ::close(ready[0]);
    ASSERT_EQ(got, 1) << "the writer could not open the key: exit " << WaitForExit(writer);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 8000));
    ASSERT_EQ(::kill(writer, SIGKILL), 0);
    ASSERT_EQ(WaitForExit(writer), -SIGKILL) << "the writer failed before it was killed";

    if (m_prefix.HiveFiles().count("hklm.reg.tmp")) ++killedMidWrite;
    std::vector<DWORD> after;
    ASSERT_TRUE(ReadPortWords(m_prefix.ReadHive(), after)) << "after kill " << kill;
    ExpectOldOrNewWords(static_cast<DWORD>(kill), before, after);
    if (HasFatalFailure()) return;
    before = after;

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(SetWord(key, "Kills", static_cast<DWORD>(kill)), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    ASSERT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"})) << "after kill " << kill;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
  std::cout << kKills << " kills in " << elapsed.count() << " ms; " << killedMidWrite
            << " left a temporary file behind\n";
}

}  // namespace
