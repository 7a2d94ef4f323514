// One mapping from POSIX errors to the platform's error codes, for every part
// of the stand-in: the registry and the device opens report the same code for
// the same cause.
#include <gtest/gtest.h>
#include <windows.h>

#include <cerrno>
#include <fstream>

#include "tests/support/temp_prefix.h"
#include "winapi/last_error.h"
#include "winapi/stand_in.h"

namespace {

TEST(ErrorMapping, EachErrnoHasItsPlatformCode) {
  const std::pair<int, DWORD> cases[] = {
      {0, ERROR_SUCCESS},
      {ENOENT, ERROR_FILE_NOT_FOUND},
      {ENOTDIR, ERROR_PATH_NOT_FOUND},
      {ENAMETOOLONG, ERROR_PATH_NOT_FOUND},
      {EACCES, ERROR_ACCESS_DENIED},
      {EPERM, ERROR_ACCESS_DENIED},
      {EROFS, ERROR_ACCESS_DENIED},
      {EBUSY, ERROR_SHARING_VIOLATION},
      {ENOSPC, ERROR_WRITE_FAULT},
      {EIO, ERROR_WRITE_FAULT},
      {EPIPE, ERROR_WRITE_FAULT},
      {EDOM, ERROR_GEN_FAILURE},
  };
  for (const auto& [error, code] : cases) EXPECT_EQ(winapi::ErrorFromErrno(error), code) << "errno " << error;
}

TEST(ErrorMapping, APathThroughAFileIsNotFoundAlikeForKeysAndDevices) {
  const test_support::TempPrefix prefix;  // the previous prefix comes back at the end
  const std::string file = prefix.path() + "/file";
  std::ofstream(file) << "not a directory\n";
  winapi::SetPrefix(file + "/prefix");
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, test_support::kServiceSubKey, 0, KEY_READ, &key), ERROR_PATH_NOT_FOUND);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(CreateFileA("\\\\.\\TAVRIN", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
