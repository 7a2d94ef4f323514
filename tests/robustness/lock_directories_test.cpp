// UUCP lock files when one lock directory is a link to another (as /var/lock
// is to /run/lock on most systems): a lock is found through either name, a
// stale one counts through neither, and a new choice of directories is
// searched from then on.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "temp_directory.h"
#include "uucp_lock.h"

namespace {

class LockDirectories : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(locks_ / "run-lock");
    std::filesystem::create_symlink(locks_ / "run-lock", locks_ / "var-lock");
    std::filesystem::create_directory(locks_ / "other");
  }
  void TearDown() override { winapi::SetUucpLockDirectories({"/var/lock", "/run/lock"}); }

  void Lock(const std::string& directory, pid_t pid) const {
    std::ofstream(locks_ / directory + "/LCK..ttyS7") << "      " << pid << "\n";
  }

  test_support::TempDirectory locks_;
};

TEST_F(LockDirectories, ALockIsFoundThroughEitherName) {
  winapi::SetUucpLockDirectories({locks_ / "var-lock", locks_ / "run-lock"});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  Lock("var-lock", getpid());
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({locks_ / "run-lock", locks_ / "var-lock"});
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, AStaleLockCountsThroughNeitherName) {
  winapi::SetUucpLockDirectories({locks_ / "var-lock", locks_ / "run-lock"});
  Lock("run-lock", 0x7ffffff0);  // no such process
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, ANewChoiceOfDirectoriesIsSearchedFromThenOn) {
  winapi::SetUucpLockDirectories({locks_ / "var-lock"});
  Lock("other", getpid());
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({locks_ / "var-lock", locks_ / "other"});
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, ADirectoryMadeAfterItWasChosenIsSearched) {
  winapi::SetUucpLockDirectories({locks_ / "later"});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  std::filesystem::create_directory(locks_ / "later");
  Lock("later", getpid());
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

}  // namespace
