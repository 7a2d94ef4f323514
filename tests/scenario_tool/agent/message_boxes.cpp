#include "message_boxes.h"

#include <set>

#include "win32/modal_loop.h"
#include "win32/text_messages.h"

namespace scenario::agent {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

bool IsFrameworkDialog(HWND window) {
  for (HWND top = framework::win32::ModalRun::TopWindow(); top != nullptr;) {
    if (top == window) return true;
    top = GetWindow(top, GW_OWNER);
  }
  return false;
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (ClassOf(window) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
      IsFrameworkDialog(window)) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

std::set<int> VisibleButtons(HWND box) {
  std::set<int> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) buttons.insert(GetDlgCtrlID(child));
  }
  return buttons;
}

}  // namespace

HWND OpenMessageBox() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

BoxLook ReadMessageBox(HWND box) {
  BoxLook look;
  look.caption = framework::win32::WindowText(box);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    // The text is the one static that shows no icon.
    if (ClassOf(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
      look.text = framework::win32::WindowText(child);
    }
  }
  const std::set<int> buttons = VisibleButtons(box);
  look.type = buttons == std::set<int>{IDYES, IDNO} ? MB_YESNO : buttons == std::set<int>{IDOK} ? MB_OK : 0xFFu;
  return look;
}

bool PressBoxButton(HWND box, int id) {
  if (!VisibleButtons(box).contains(id)) return false;
  PostMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
  return true;
}

}  // namespace scenario::agent
