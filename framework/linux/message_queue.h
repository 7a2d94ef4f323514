// The framework's message queue: what the person's input and PostMessageA put
// in and the modal loops take out, in order. A quit request is kept apart and
// is taken before any queued message, as the platform's is before input.
#pragma once

#include "framework/linux/winuser.h"

namespace framework {

struct QueuedMessage {
  MSG msg;
  bool shift;  // Shift was held when a key message was queued
};

void PostToQueue(const MSG& msg, bool shift = false);
// Queues a message to be taken before every other: the character that a key
// press types, as the platform's posted messages come before input.
void PostToQueueFront(const MSG& msg);
// Takes the oldest queued message; false when the queue is empty.
bool TakeFromQueue(QueuedMessage& taken);
bool QueueIsEmpty();
// Forgets every queued message addressed to `window` (it is being destroyed).
void DropMessagesFor(HWND window);

// A quit request stays pending once made, so that every modal loop it passes
// through ends, innermost first.
void RequestQuit(int exitCode);
bool QuitRequested();
int QuitExitCode();  // 0 without a request

}  // namespace framework
