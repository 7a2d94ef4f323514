#include "framework/linux/message_queue.h"

#include <algorithm>
#include <deque>

#include "framework/linux/input.h"
#include "framework/linux/window_registry.h"

namespace framework {
namespace {

std::deque<QueuedMessage> g_queue;
bool g_quitRequested = false;
int g_quitExitCode = 0;

}  // namespace

void PostToQueue(const MSG& msg, bool shift) { g_queue.push_back({msg, shift}); }

void PostToQueueFront(const MSG& msg) { g_queue.push_front({msg, false}); }

bool TakeFromQueue(QueuedMessage& taken) {
  if (g_queue.empty()) return false;
  taken = g_queue.front();
  g_queue.pop_front();
  return true;
}

bool QueueIsEmpty() { return g_queue.empty(); }

void DropMessagesFor(HWND window) {
  std::erase_if(g_queue, [window](const QueuedMessage& queued) { return queued.msg.hwnd == window; });
}

void RequestQuit(int exitCode) {
  g_quitRequested = true;
  g_quitExitCode = exitCode;
}

bool QuitRequested() { return g_quitRequested; }

int QuitExitCode() { return g_quitRequested ? g_quitExitCode : 0; }

bool HasPendingMessages() { return g_quitRequested || !g_queue.empty(); }

void DiscardPendingMessages() {
  g_queue.clear();
  g_quitRequested = false;
  g_quitExitCode = 0;
}

}  // namespace framework

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!framework::IsLiveWindow(hWnd)) return FALSE;
  framework::PostToQueue({hWnd, Msg, wParam, lParam});
  return TRUE;
}

void PostQuitMessage(int nExitCode) { framework::RequestQuit(nExitCode); }
