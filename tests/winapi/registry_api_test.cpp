// The registry calls against hive files written by the tests: the platform's
// results and error codes, and what reaches the file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "tests/support/temp_prefix.h"
#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace {

using test_support::kServiceSubKey;
using test_support::ServiceKeyHive;
using test_support::TempPrefix;

class RegistryApi : public ::testing::Test {
 protected:
  void TearDown() override {
    winapi::SetRegistryWritesFail(false);
    EXPECT_EQ(winapi::OpenKeyCount(), 0) << "every key opened was closed";
  }

  LONG Open(REGSAM access, HKEY& key, LPCSTR subKey = kServiceSubKey) {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, access, &key);
  }

  static LONG SetWord(HKEY key, LPCSTR name, DWORD word) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
  }

  // The word under `name`, or ~0 when the query fails.
  static DWORD Word(HKEY key, LPCSTR name) {
    DWORD word = 0;
    DWORD size = sizeof word;
    return RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size) == ERROR_SUCCESS
               ? word
               : ~DWORD{0};
  }

  TempPrefix m_prefix;
};

TEST_F(RegistryApi, OpensOnlyKeysWithAHeader) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  HKEY key = nullptr;
  EXPECT_EQ(Open(KEY_READ, key, "System\\CurrentControlSet\\Services\\Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(KEY_READ, key, "System\\CurrentControlSet"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(KEY_READ, key, "\\System\\CurrentControlSet\\Services\\Tavrin"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(winapi::OpenKeyCount(), 0);

  ASSERT_EQ(Open(KEY_READ, key, "SYSTEM\\currentcontrolset\\services\\tavrin"), ERROR_SUCCESS);
  EXPECT_EQ(winapi::OpenKeyCount(), 1);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "a handle is released once";
}

TEST_F(RegistryApi, RefusesOtherRootsAndMissingHives) {
  HKEY key = nullptr;
  EXPECT_EQ(Open(KEY_READ, key), ERROR_FILE_NOT_FOUND) << "no hive file at all";
  m_prefix.WriteHive(ServiceKeyHive(""));
  const HKEY currentUser = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(0x80000001)));
  EXPECT_EQ(RegOpenKeyExA(currentUser, kServiceSubKey, 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryApi, OpensRelativeToAnOpenKey) {
  m_prefix.WriteHive(
      "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\System]\n"
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin]\n\"COM1\"=dword:00000003\n");
  HKEY system = nullptr;
  HKEY service = nullptr;
  ASSERT_EQ(Open(KEY_READ, system, "System"), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(system, "CurrentControlSet\\Services\\Tavrin", 0, KEY_READ, &service), ERROR_SUCCESS);
  DWORD word = 0;
  DWORD size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(service, "COM1", nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(word, 3u);
  RegCloseKey(service);
  RegCloseKey(system);
}

TEST_F(RegistryApi, QueryCopiesAtMostTheCallersBuffer) {
  m_prefix.WriteHive(
      ServiceKeyHive("\"COM1\"=dword:00000027\n"
                     "\"COM2\"=hex(b):01,00,00,00,00,00,00,00\n"
                     "\"COM3\"=hex:01,02\n"
                     "\"COM4\"=\"abc\"\n"
                     "\"COM5\"=hex:\n"));
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_READ, key), ERROR_SUCCESS);

  DWORD word = 0xAAAAAAAA;
  DWORD size = sizeof word;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "com1", nullptr, &type, reinterpret_cast<LPBYTE>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(word, 0x27u);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  word = 0xAAAAAAAA;
  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM2", nullptr, &type, reinterpret_cast<LPBYTE>(&word), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u) << "the size needed";
  EXPECT_EQ(word, 0xAAAAAAAAu) << "nothing copied";
  EXPECT_EQ(type, static_cast<DWORD>(REG_QWORD));

  word = 0;
  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM3", nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(word, 0x0201u) << "a 2-byte value in a zeroed word reads zero-extended";
  EXPECT_EQ(size, 2u);

  word = 0;
  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM4", nullptr, &type, reinterpret_cast<LPBYTE>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(word, 0x00636261u) << "four bytes of any type are copied";
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  word = 0x55;
  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM5", nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(word, 0x55u);

  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "COM2", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 8u) << "without a buffer the size is reported";

  size = sizeof word;
  EXPECT_EQ(RegQueryValueExA(key, "COM6", nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "COM1", nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
  EXPECT_EQ(RegQueryValueExA(key, "COM1", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, WritesReachTheFileTogetherWhenTheKeyCloses) {
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n");
  m_prefix.WriteHive(before);
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM1", 0x39), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM2", 0x11), ERROR_SUCCESS);
  const BYTE bytes[] = {1, 2, 3};
  ASSERT_EQ(RegSetValueExA(key, "Blob", 0, REG_BINARY, bytes, sizeof bytes), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, "bad\nname", 0, REG_DWORD, bytes, 3), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "COM3", 0, REG_DWORD, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Word(key, "COM1"), 0x39u) << "read back at once";
  EXPECT_EQ(m_prefix.ReadHive(), before) << "other programs see nothing before the close";

  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(m_prefix.ReadHive(),
            ServiceKeyHive("\"COM1\"=dword:00000039\n\"COM2\"=dword:00000011\n\"Blob\"=hex:01,02,03\n"));
  EXPECT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"}));
}

TEST_F(RegistryApi, ReadOnlyHandlesRefuseWrites) {
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n");
  m_prefix.WriteHive(before);
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(SetWord(key, "COM1", 2), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  EXPECT_EQ(m_prefix.ReadHive(), before);
  EXPECT_EQ(m_prefix.HiveFiles(), std::set<std::string>{"hklm.reg"}) << "reading creates no lock file";
}

TEST_F(RegistryApi, AReadOnlyHiveOrDirectoryRefusesWriteAccess) {
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n");
  m_prefix.WriteHive(before);
  HKEY key = nullptr;

  ASSERT_EQ(::chmod(m_prefix.HivePath().c_str(), 0444), 0);
  EXPECT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(Open(KEY_READ, key), ERROR_SUCCESS) << "reading still works";
  RegCloseKey(key);

  ASSERT_EQ(::chmod(m_prefix.HivePath().c_str(), 0644), 0);
  ASSERT_EQ(::chmod(m_prefix.path().c_str(), 0555), 0);
  EXPECT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(::chmod(m_prefix.path().c_str(), 0755), 0);
  EXPECT_EQ(m_prefix.ReadHive(), before);
}

TEST_F(RegistryApi, ReplacementKeepsTheHivesMode) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  ASSERT_EQ(::chmod(m_prefix.HivePath().c_str(), 0640), 0);
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM1", 1), ERROR_SUCCESS);
  RegCloseKey(key);
  struct stat status;
  ASSERT_EQ(::stat(m_prefix.HivePath().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(RegistryApi, TheWriteFailureSwitchFailsWritesButNotOpens) {
  const std::string before = ServiceKeyHive("\"COM1\"=dword:00000001\n");
  m_prefix.WriteHive(before);
  winapi::SetRegistryWritesFail(true);
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  EXPECT_EQ(SetWord(key, "COM1", 2), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetWord(key, "COM2", 2), ERROR_ACCESS_DENIED);
  winapi::SetRegistryWritesFail(false);
  EXPECT_EQ(m_prefix.ReadHive(), before);
  EXPECT_EQ(SetWord(key, "COM2", 2), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryApi, AMalformedHiveIsReportedOnceAndNeverRewritten) {
  const std::string broken = ServiceKeyHive("\"COM1\"=dword:00000001\n\"COM2\"=dword:xyz\n");
  m_prefix.WriteHive(broken);
  for (const REGSAM access : {KEY_READ, KEY_ALL_ACCESS}) {
    HKEY key = nullptr;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Open(access, key), ERROR_BADDB);
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.rfind(m_prefix.HivePath() + ":5: ", 0), 0u) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
  }
  EXPECT_EQ(m_prefix.ReadHive(), broken);
}

TEST_F(RegistryApi, AHiveBrokenAfterTheOpenIsNotRewritten) {
  m_prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000001\n"));
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  const std::string broken = ServiceKeyHive("\"COM1\"=dword:00000001\n[unterminated\n");
  m_prefix.WriteHive(broken);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(SetWord(key, "COM1", 2), ERROR_BADDB);
  const std::string report = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(report.find(":5: "), std::string::npos) << report;
  EXPECT_EQ(m_prefix.ReadHive(), broken);
  RegCloseKey(key);
}

TEST_F(RegistryApi, EachHandleSeesAndKeepsTheOthersWrites) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  HKEY first = nullptr;
  HKEY second = nullptr;
  HKEY reader = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, first), ERROR_SUCCESS);
  ASSERT_EQ(Open(KEY_ALL_ACCESS, second), ERROR_SUCCESS);
  ASSERT_EQ(Open(KEY_READ, reader), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(first, "COM1", 1), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(second, "COM2", 2), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(first, "COM3", 3), ERROR_SUCCESS);
  // An edit by hand in place, not through a handle.
  std::string edited = m_prefix.ReadHive();
  edited += "\"COM4\"=dword:00000004\n";
  m_prefix.WriteHive(edited);
  ASSERT_EQ(SetWord(first, "COM5", 5), ERROR_SUCCESS) << "the edit is seen although no other handle wrote";

  for (DWORD port = 1; port <= 5; ++port) {
    const std::string name = "COM" + std::to_string(port);
    DWORD word = 0;
    DWORD size = sizeof word;
    EXPECT_EQ(RegQueryValueExA(reader, name.c_str(), nullptr, nullptr, reinterpret_cast<LPBYTE>(&word), &size),
              ERROR_SUCCESS)
        << name;
    EXPECT_EQ(word, port) << name;
  }
  EXPECT_EQ(RegCloseKey(first), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
  RegCloseKey(reader);
  EXPECT_EQ(m_prefix.ReadHive(), ServiceKeyHive("\"COM4\"=dword:00000004\n\"COM1\"=dword:00000001\n"
                                                "\"COM2\"=dword:00000002\n\"COM3\"=dword:00000003\n"
                                                "\"COM5\"=dword:00000005\n"))
      << "the edit by hand is kept";
}

TEST_F(RegistryApi, AKeyRemovedWhileOpenFailsItsCalls) {
  m_prefix.WriteHive(ServiceKeyHive("\"COM1\"=dword:00000001\n"));
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  const std::string without = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Other]\n";
  m_prefix.WriteHive(without);
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "COM1", nullptr, nullptr, nullptr, &size), ERROR_BADKEY);
  EXPECT_EQ(SetWord(key, "COM1", 2), ERROR_BADKEY);
  EXPECT_EQ(m_prefix.ReadHive(), without) << "the key is not brought back";
  RegCloseKey(key);
}

TEST_F(RegistryApi, TheNextWriteRemovesWhatADeadWriterLeft) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  {
    // What a writer killed between creating and renaming its temporary file leaves.
    FILE* stale = std::fopen((m_prefix.HivePath() + ".tmp").c_str(), "w");
    ASSERT_NE(stale, nullptr);
    std::fputs("Windows Registry Editor Version 5.00\n[half", stale);
    std::fclose(stale);
  }
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM1", 1), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"}));
  EXPECT_EQ(m_prefix.ReadHive(), ServiceKeyHive("\"COM1\"=dword:00000001\n"));

  std::fclose(std::fopen((m_prefix.HivePath() + ".tmp").c_str(), "w"));
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM1", 1), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"}))
      << "also by a write that changes nothing";
}

TEST_F(RegistryApi, AStaleTemporaryLinkIsRemovedNotFollowed) {
  m_prefix.WriteHive(ServiceKeyHive(""));
  const std::string victim = m_prefix.path() + "/victim";
  {
    FILE* file = std::fopen(victim.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("untouched", file);
    std::fclose(file);
  }
  ASSERT_EQ(::symlink(victim.c_str(), (m_prefix.HivePath() + ".tmp").c_str()), 0);
  HKEY key = nullptr;
  ASSERT_EQ(Open(KEY_ALL_ACCESS, key), ERROR_SUCCESS);
  ASSERT_EQ(SetWord(key, "COM1", 1), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(m_prefix.HiveFiles(), (std::set<std::string>{"hklm.reg", "hklm.reg.lock"}));
  FILE* file = std::fopen(victim.c_str(), "r");
  ASSERT_NE(file, nullptr);
  char text[16] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text - 1, file), 9u);
  std::fclose(file);
  EXPECT_STREQ(text, "untouched");
}

}  // namespace
