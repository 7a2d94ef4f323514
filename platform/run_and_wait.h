// Starts a program hidden and waits for it up to a time limit.
#pragma once

#include <windows.h>

// Returns WAIT_TIMEOUT when the program still runs after timeoutMs (it is left
// running), otherwise its exit code. A program that cannot be started gives
// no process to wait for, and the call returns at once.
DWORD RunAndWait(LPCSTR program, LPCSTR parameters, DWORD timeoutMs);
