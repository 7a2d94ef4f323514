// UUCP lock files when one lock directory is a link to another (as /var/lock
// is to /run/lock on most systems): a lock is found through either name, a
// stale one counts through neither, and a new choice of directories is
// searched from then on. A lock of another user's live process is held.
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/support/temp_directory.h"
#include "winapi/uucp_lock.h"

namespace {

class LockDirectories : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(m_locks / "run-lock");
    std::filesystem::create_symlink(m_locks / "run-lock", m_locks / "var-lock");
    std::filesystem::create_directory(m_locks / "other");
  }
  void TearDown() override { winapi::SetUucpLockDirectories({"/var/lock", "/run/lock"}); }

  void Lock(const std::string& directory, pid_t pid, const std::string& device = "ttyS7") const {
    std::ofstream(m_locks / directory + "/LCK.." + device) << "      " << pid << "\n";
  }

  test_support::TempDirectory m_locks;
};

TEST_F(LockDirectories, ALockIsFoundThroughEitherName) {
  winapi::SetUucpLockDirectories({m_locks / "var-lock", m_locks / "run-lock"});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  Lock("var-lock", getpid());
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({m_locks / "run-lock", m_locks / "var-lock"});
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, AStaleLockCountsThroughNeitherName) {
  winapi::SetUucpLockDirectories({m_locks / "var-lock", m_locks / "run-lock"});
  Lock("run-lock", 0x7ffffff0);  // no such process
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, ANewChoiceOfDirectoriesIsSearchedFromThenOn) {
  winapi::SetUucpLockDirectories({m_locks / "var-lock"});
  Lock("other", getpid());
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({m_locks / "var-lock", m_locks / "other"});
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  winapi::SetUucpLockDirectories({});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

TEST_F(LockDirectories, ADirectoryMadeAfterItWasChosenIsSearched) {
  winapi::SetUucpLockDirectories({m_locks / "later"});
  EXPECT_FALSE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
  std::filesystem::create_directory(m_locks / "later");
  Lock("later", getpid());
  EXPECT_TRUE(winapi::IsLockedByUucpLockFile("/dev/ttyS7"));
}

// The probe runs as the unprivileged user nobody, so signalling this test's
// process (root's) answers EPERM: alive, though not ours to signal.
TEST_F(LockDirectories, ALockOfAnotherUsersLiveProcessIsHeld) {
  if (geteuid() != 0) GTEST_SKIP() << "dropping to another user needs root";
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  ASSERT_EQ(chmod(m_locks.path().c_str(), 0755), 0);
  winapi::SetUucpLockDirectories({m_locks / "run-lock"});
  Lock("run-lock", getpid());
  Lock("run-lock", 0x7ffffff0, "ttyS8");  // no such process

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(3);
    if (kill(getppid(), 0) == 0 || errno != EPERM) _exit(4);
    _exit(!winapi::IsLockedByUucpLockFile("/dev/ttyS7") ? 1 : winapi::IsLockedByUucpLockFile("/dev/ttyS8") ? 2 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 1) << "the lock of root's live process did not count";
  EXPECT_NE(WEXITSTATUS(status), 2) << "the stale lock counted";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: cannot become nobody; 4: root's process could be signalled";
}

}  // namespace
