// The calling thread's last-error code, set from the errno of a failed
// system call. Internal to the stand-in.
#pragma once

#include "winapi/windows.h"

namespace winapi {

// The platform's error code closest to a POSIX errno value.
DWORD ErrorFromErrno(int errnoValue);

void SetLastErrorFromErrno(int errnoValue);

}  // namespace winapi
