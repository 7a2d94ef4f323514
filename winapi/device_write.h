// Writing to an open device as the platform's synchronous WriteFile does.
// Internal to the stand-in.
#pragma once

#include "winapi/windows.h"

namespace winapi {

// Every byte, waiting whenever the device cannot take more now (a driver that
// reads slowly delays the caller; nothing is lost). `written` receives the
// count written; the result is errno's value where it stopped short, 0 when
// it did not. A device whose reader has gone fails with EPIPE: SIGPIPE is
// held back, so it does not end the program.
int WriteWaiting(int fd, const BYTE* bytes, DWORD count, DWORD& written);

}  // namespace winapi
