// A key's writes are durable when its close returns: the new hive is flushed
// to the disk before it is renamed into place, and its folder after, so a
// crash of the machine leaves the old or the new hive. Every fsync the
// stand-in makes passes through this program's wrapper (linked with
// --wrap=fsync), which records what it flushed and can fail it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace {

struct Sync {
  std::string path;  // what the descriptor names at the time of the flush
  bool directory = false;
  friend bool operator==(const Sync&, const Sync&) = default;
};

std::vector<Sync> g_syncs;
bool g_failFiles = false;
bool g_failDirectories = false;

}  // namespace

extern "C" int __real_fsync(int fd);

extern "C" int __wrap_fsync(int fd) {
  struct stat status {};
  const bool directory = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode);
  char path[PATH_MAX] = {};
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), path, sizeof path - 1);
  g_syncs.push_back({std::string(path, length > 0 ? static_cast<std::size_t>(length) : 0), directory});
  if (directory ? g_failDirectories : g_failFiles) {
    errno = EIO;
    return -1;
  }
  return __real_fsync(fd);
}

namespace {

using test_support::kServiceSubKey;
using test_support::ServiceKeyHive;

class Durability : public ::testing::Test {
 protected:
  void SetUp() override { m_prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000001\n")); }
  void TearDown() override {
    g_syncs.clear();
    g_failFiles = g_failDirectories = false;
    EXPECT_EQ(winapi::OpenKeyCount(), 0);
  }

  // Opens the service key, writes `word` under COM1 and COM2, and closes it.
  LONG WriteAndClose(DWORD word) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (const char* name : {"COM1", "COM2"}) {
      EXPECT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word),
                ERROR_SUCCESS);
    }
    EXPECT_EQ(g_syncs, std::vector<Sync>{}) << "nothing is flushed before the close";
    return RegCloseKey(key);
  }

  test_support::TempPrefix m_prefix;
};

TEST_F(Durability, TheCloseFlushesTheNewHiveBeforeTheRenameAndItsFolderAfter) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(g_syncs, std::vector<Sync>{}) << "a key that wrote nothing flushes nothing";

  ASSERT_EQ(WriteAndClose(0x27), ERROR_SUCCESS);
  EXPECT_EQ(g_syncs, (std::vector<Sync>{{m_prefix.HivePath() + ".tmp", false}, {m_prefix.path(), true}}));
  EXPECT_EQ(m_prefix.ReadHive(), ServiceKeyHive("\"COM1\"=dword:00000027\n\"COM2\"=dword:00000027\n"));
}

TEST_F(Durability, AFailedFlushOfTheHiveFailsTheCloseAndKeepsTheOldHive) {
  const std::string before = m_prefix.ReadHive();
  g_failFiles = true;
  EXPECT_EQ(WriteAndClose(0x27), ERROR_WRITE_FAULT);
  EXPECT_EQ(m_prefix.ReadHive(), before);
  EXPECT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"}));

  g_failFiles = false;
  g_syncs.clear();
  EXPECT_EQ(WriteAndClose(0x27), ERROR_SUCCESS) << "the next close stores again";
  EXPECT_EQ(m_prefix.ReadHive(), ServiceKeyHive("\"COM1\"=dword:00000027\n\"COM2\"=dword:00000027\n"));
}

TEST_F(Durability, AFailedFlushOfTheFolderFailsTheClose) {
  g_failDirectories = true;
  EXPECT_EQ(WriteAndClose(0x27), ERROR_WRITE_FAULT);
  EXPECT_EQ(g_syncs.size(), 2u);
}

}  // namespace
