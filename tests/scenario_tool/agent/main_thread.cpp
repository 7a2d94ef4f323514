#include "tests/scenario_tool/agent/main_thread.h"

#include "framework/win32/modal_loop.h"
#include "tests/scenario_tool/agent/message_boxes.h"
#include "tests/scenario_tool/agent/program_watch.h"

namespace scenario::agent {
namespace {

constexpr UINT kRunWork = WM_APP + 1;
HWND g_workWindow = nullptr;

LRESULT CALLBACK WorkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunWork) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void PrepareMainThread() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &WorkWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"PortsetupScenarioAgent";
  RegisterClassW(&windowClass);
  g_workWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
}

void RunOnMainThread(const std::function<void()>& work) {
  SendMessageW(g_workWindow, kRunWork, 0, reinterpret_cast<LPARAM>(&work));
}

bool WaitsForPerson() {
  if (ProgramEnded()) return true;
  // Timers (a caret's blinking) come forever and wait for nobody.
  if (HIWORD(GetQueueStatus(QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_PAINT | QS_HOTKEY)) != 0) return false;
  // A dialog is shown when its loop first finds nothing to do; until then it
  // still has work of its own.
  const HWND top = framework::win32::ModalRun::TopWindow();
  return top == nullptr || IsWindowVisible(top) || OpenMessageBox() != nullptr;
}

void AwaitPerson() {
  for (;;) {
    bool waits = false;
    RunOnMainThread([&waits] { waits = WaitsForPerson(); });
    if (waits) return;
    // The program's thread has messages to deliver: let it, then look again.
    Sleep(1);
  }
}

}  // namespace scenario::agent
