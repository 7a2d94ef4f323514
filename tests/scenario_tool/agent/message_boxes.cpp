#include "tests/scenario_tool/agent/message_boxes.h"

#include "framework/win32/modal_loop.h"
#include "tests/wine/windows/dialog_windows.h"

namespace scenario::agent {
namespace {

bool IsFrameworkDialog(HWND window) {
  for (HWND top = framework::win32::ModalRun::TopWindow(); top != nullptr;) {
    if (top == window) return true;
    top = GetWindow(top, GW_OWNER);
  }
  return false;
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (wine_test::ClassName(window) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
      IsFrameworkDialog(window)) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

HWND OpenMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

unsigned BoxType(const wine_test::MessageBoxState& box) {
  if (box.buttons == std::set<int>{IDYES, IDNO}) return MB_YESNO;
  return box.buttons == std::set<int>{IDOK} ? MB_OK : 0xFFu;
}

bool PressBoxButton(HWND box, int id) {
  if (!wine_test::ReadMessageBox(box).buttons.contains(id)) return false;
  PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
  return true;
}

}  // namespace scenario::agent
