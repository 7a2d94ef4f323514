#include "tests/wine/windows/control_reader.h"

#include "framework/win32/text_messages.h"
#include "tests/wine/windows/dialog_windows.h"

namespace wine_test {
namespace {

using framework::win32::SendTextMessage;
using framework::win32::WindowText;

// The lines of a list box or of a combo box's list, in UTF-8.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(control, countMessage, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto at = static_cast<WPARAM>(index);
    const LRESULT length = SendTextMessage(control, lengthMessage, at, 0);
    std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendTextMessage(control, textMessage, at, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find('\0'));
    items.push_back(text);
  }
  return items;
}

ControlState ReadControl(HWND control) {
  ControlState state;
  state.window = control;
  state.id = static_cast<short>(GetDlgCtrlID(control));
  state.className = ClassName(control);
  state.style = GetWindowLongW(control, GWL_STYLE);
  state.enabled = IsWindowEnabled(control) != FALSE;
  state.visible = IsWindowVisible(control) != FALSE;
  state.text = WindowText(control);
  if (state.className == L"Static" && (state.style & SS_TYPEMASK) == SS_ICON) {
    state.showsIcon = SendMessageW(control, STM_GETICON, 0, 0) != 0;
  } else if (state.className == L"ListBox") {
    state.items = Items(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    state.selection = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
  } else if (state.className == L"ComboBox") {
    state.items = Items(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    state.selection = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
  }
  return state;
}

}  // namespace

std::vector<ControlState> ReadControls(HWND window) {
  std::vector<ControlState> controls;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    controls.push_back(ReadControl(child));
  }
  return controls;
}

MessageBoxState ReadMessageBox(HWND box) {
  MessageBoxState state;
  state.caption = WindowText(box);
  for (const ControlState& control : ReadControls(box)) {
    if (control.className == L"Static" && (control.style & SS_TYPEMASK) != SS_ICON) state.text = control.text;
    if (control.className == L"Button" && control.visible) state.buttons.insert(control.id);
  }
  return state;
}

}  // namespace wine_test
