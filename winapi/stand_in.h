// Settings and probes of the POSIX stand-in for the platform. Not part of the
// platform's API: only tests, tools and start-up code outside platform/ use it.
#pragma once

#include <functional>
#include <string>

#include "winapi/windows.h"

namespace winapi {

// The directory that holds the machine as the platform sees it: hklm.reg (the
// HKEY_LOCAL_MACHINE hive) and dosdevices/ (the device namespace). Taken from
// TAVRIN_PREFIX, else /var/lib/tavrin, unless SetPrefix has chosen one.
const std::string& Prefix();
void SetPrefix(const std::string& directory);

// Receives every OutputDebugStringA text. The default sends it to the system
// log at debug priority under the program's name (nowhere when the machine
// has no system log); an empty sink restores the default.
using DebugSink = std::function<void(const char* text)>;
void SetDebugSink(DebugSink sink);

// Shows the shell's error box for a program that ShellExecuteExA could not
// start (unless the record asks for SEE_MASK_FLAG_NO_UI): its owner, the
// record's hwnd, and its text. The window framework installs it; while none is
// installed no box is shown.
using ShellErrorBox = std::function<void(HWND owner, const std::string& text)>;
void SetShellErrorBox(ShellErrorBox show);

// Test seam: while set, every RegSetValueExA on an open key fails with
// ERROR_ACCESS_DENIED; opening keys still succeeds.
void SetRegistryWritesFail(bool fail);

// Leak probes: handles of each kind open right now, and child processes that
// have ended but were not reaped yet.
int OpenKeyCount();
int OpenFileHandleCount();
int OpenProcessHandleCount();
int UnreapedChildCount();

}  // namespace winapi
