#include "framework/win32/modal_loop.h"

#include <algorithm>
#include <ranges>
#include <vector>

#include "framework/framework.h"

namespace framework::win32 {
namespace {

std::vector<ModalRun*> g_runs;  // innermost last
int g_quitExitCode = 0;
ModalObserver g_observer;

// The running dialog that msg is for: its window or a window inside it.
CDialog* DialogOf(const MSG& msg) {
  if (msg.hwnd == nullptr) return nullptr;
  for (const ModalRun* run : g_runs | std::views::reverse) {
    const HWND window = run->Dialog()->m_hWnd;
    if (window != nullptr && (window == msg.hwnd || IsChild(window, msg.hwnd))) return run->Dialog();
  }
  return nullptr;
}

// Takes one message and delivers it; false when it was the quit request,
// which is then posted again so that every loop outside ends as well.
bool TakeAndDeliver() {
  MSG msg;
  const BOOL taken = GetMessageW(&msg, nullptr, 0, 0);
  if (taken == 0) {
    g_quitExitCode = static_cast<int>(msg.wParam);
    PostQuitMessage(g_quitExitCode);
    return false;
  }
  if (taken < 0) return false;
  CDialog* dialog = DialogOf(msg);
  if (dialog == nullptr || !dialog->PreTranslateMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace

ModalRun::ModalRun(CDialog* dialog) : m_dialog(dialog) { g_runs.push_back(this); }

ModalRun::~ModalRun() { std::erase(g_runs, this); }

INT_PTR ModalRun::Run(HWND window) {
  bool shown = IsWindowVisible(window) != FALSE;
  while (!m_ended) {
    if (!IsWindow(window)) return -1;
    MSG pending;
    if (!shown && !PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE)) {
      ShowWindow(window, SW_SHOWNORMAL);
      shown = true;
      continue;
    }
    if (!TakeAndDeliver()) return -1;
  }
  return m_result;
}

void ModalRun::End(INT_PTR result) {
  if (m_ended) return;
  m_ended = true;
  m_result = result;
  if (m_dialog->m_hWnd != nullptr) PostMessageW(m_dialog->m_hWnd, WM_NULL, 0, 0);  // wakes the loop
}

ModalRun* ModalRun::Of(const CDialog* dialog) {
  const auto found = std::ranges::find_if(g_runs, [dialog](const ModalRun* run) { return run->m_dialog == dialog; });
  return found != g_runs.end() ? *found : nullptr;
}

HWND ModalRun::TopWindow() {
  for (const ModalRun* run : g_runs | std::views::reverse) {
    if (run->m_dialog->m_hWnd != nullptr) return run->m_dialog->m_hWnd;
  }
  return nullptr;
}

void RunApplicationLoop() {
  while (TakeAndDeliver()) {
  }
}

int QuitExitCode() { return g_quitExitCode; }

void SetModalObserver(const ModalObserver& observer) { g_observer = observer; }

const ModalObserver& CurrentModalObserver() { return g_observer; }

}  // namespace framework::win32
