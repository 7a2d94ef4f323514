#include "framework/linux/modal_loop.h"

#include <algorithm>
#include <vector>

#include "framework/framework.h"
#include "framework/linux/backend.h"
#include "framework/linux/focus.h"
#include "framework/linux/input.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/window_registry.h"

namespace framework {
namespace {

std::vector<HWND> g_runningDialogs;  // innermost last
bool g_shiftHeld = false;

bool IsKeyboardMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
}

// The move mode takes every key press and typed character; Escape and Enter end it.
bool TakenByMove(const MSG& msg) {
  HWND top = TopDialog();
  if (top == nullptr || !top->Dialog().moving || !IsKeyboardMessage(msg.message)) return false;
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (key && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) top->Dialog().moving = false;
  return true;
}

// A key press that the dialog manager left types its character, if it has
// one, before anything else is taken: the platform's TranslateMessage.
void TranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_SPACE && msg.wParam != VK_BACK)) return;
  PostToQueueFront({msg.hwnd, WM_CHAR, msg.wParam == VK_SPACE ? WPARAM{' '} : WPARAM{'\b'}, msg.lParam});
}

// Passes one taken message to its dialog's PreTranslateMessage, then to its window.
void Deliver(const QueuedMessage& queued) {
  MSG msg = queued.msg;
  if (!IsLiveWindow(msg.hwnd) || TakenByMove(msg)) return;
  const bool outerShift = g_shiftHeld;
  g_shiftHeld = queued.shift;
  HWND dialog = msg.hwnd->OwningDialog();
  CWnd* translator = dialog != nullptr ? dialog->wrapper : nullptr;
  if (translator == nullptr || !translator->PreTranslateMessage(&msg)) {
    TranslateKey(msg);
    SendMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
  g_shiftHeld = outerShift;
}

enum class LoopEnd { Finished, Quit, NoInput };

// Takes and delivers messages until `finished` holds, a quit request is taken
// or no input will come. `firstWait` runs once, before the loop first waits.
template <typename Finished, typename FirstWait>
LoopEnd PumpMessages(Finished finished, FirstWait firstWait) {
  bool waited = false;
  while (!finished()) {
    if (QuitRequested()) return LoopEnd::Quit;
    QueuedMessage queued;
    if (TakeFromQueue(queued)) {
      Deliver(queued);
      continue;
    }
    if (!waited) {
      waited = true;
      firstWait();
      continue;  // showing may have posted or ended something
    }
    if (!CurrentBackend().WaitForInput()) return LoopEnd::NoInput;
  }
  return LoopEnd::Finished;
}

void Show(HWND dialog) {
  dialog->visible = true;
  CurrentBackend().WindowChanged(dialog);
  CurrentBackend().DialogStarted(dialog);
}

}  // namespace

INT_PTR RunModalLoop(HWND dialog) {
  g_runningDialogs.push_back(dialog);
  dialog->Dialog().running = true;
  bool shown = false;
  const auto show = [dialog, &shown] {
    if (shown) return;
    Show(dialog);
    shown = true;
  };
  // A template's visible style shows the dialog as soon as it is initialised;
  // any other dialog is shown when its loop first waits for input.
  if ((dialog->style & WS_VISIBLE) != 0 && !dialog->Dialog().ended) show();
  const LoopEnd end = PumpMessages([dialog] { return dialog->Dialog().ended; }, show);
  if (end != LoopEnd::Finished) {
    dialog->Dialog().ended = true;
    dialog->Dialog().result = -1;
  }
  dialog->Dialog().running = false;
  std::erase(g_runningDialogs, dialog);
  if (shown) CurrentBackend().DialogEnded(dialog);
  return dialog->Dialog().result;
}

void RunMoveLoop(HWND dialog) {
  dialog->Dialog().moving = true;
  PumpMessages([dialog] { return !IsLiveWindow(dialog) || !dialog->Dialog().moving; }, [] {});
  if (IsLiveWindow(dialog)) dialog->Dialog().moving = false;
}

bool EndMoveOnClick() {
  HWND top = TopDialog();
  if (top == nullptr || !top->Dialog().moving) return false;
  top->Dialog().moving = false;
  return true;
}

void RunApplicationLoop() {
  PumpMessages([] { return false; }, [] {});
}

HWND TopDialog() { return g_runningDialogs.empty() ? nullptr : g_runningDialogs.back(); }

bool ShiftHeld() { return g_shiftHeld; }

ModalOwnerLock::ModalOwnerLock(HWND owner) : m_owner(owner != nullptr && owner->enabled ? owner : nullptr) {
  if (m_owner == nullptr) return;
  m_owner->enabled = false;
  CurrentBackend().WindowChanged(m_owner);
}

ModalOwnerLock::~ModalOwnerLock() {
  if (m_owner == nullptr || !IsLiveWindow(m_owner)) return;
  m_owner->enabled = true;
  CurrentBackend().WindowChanged(m_owner);
  FocusOnReactivation(m_owner);
}

}  // namespace framework
