// The program's thread, seen from the agent's thread that talks to the tool.
// Work that touches the program's windows or state runs on the program's own
// thread, as a message sent to a window of that thread: it runs whenever the
// program looks for messages (its modal loops, a message box, the agent's
// loop after the program ended) and never while the program is busy.
#pragma once

#include <windows.h>

#include <functional>

namespace scenario::agent {

// Made on the program's thread before anything else runs there.
void PrepareMainThread();
// Runs work on the program's thread and returns when it is done.
void RunOnMainThread(const std::function<void()>& work);

// Whether the program's thread has nothing left to do but wait for the
// person: its queue holds no input, posted message or paint, and the dialog
// on top is shown or a message box is open. Runs on the program's thread.
bool WaitsForPerson();
// Returns once WaitsForPerson holds; called on the agent's thread.
void AwaitPerson();

}  // namespace scenario::agent
