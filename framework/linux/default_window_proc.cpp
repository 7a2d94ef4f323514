#include "framework/linux/default_window_proc.h"

#include <cstring>

#include "base/utf8.h"
#include "framework/linux/backend.h"
#include "framework/linux/list_keys.h"
#include "framework/linux/list_state.h"
#include "framework/linux/modal_loop.h"

namespace framework {
namespace {

std::string TextOf(LPARAM lParam) {
  const auto* text = reinterpret_cast<LPCSTR>(lParam);
  return text != nullptr ? text : "";
}

// A combo shows its edit field (or selected item) as its text.
std::string& ShownText(HWND window) {
  return window->kind == WindowKind::ComboBox ? window->Combo().editText : window->text;
}

// Copies at most bufferSize - 1 bytes and a terminator, never cutting a
// multi-byte character in two. Returns the bytes copied.
LRESULT CopyText(const std::string& text, WPARAM bufferSize, LPARAM buffer) {
  return static_cast<LRESULT>(base::CopyUtf8Cut(text, reinterpret_cast<LPSTR>(buffer), bufferSize));
}

LRESULT TextMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      if (window->kind == WindowKind::ComboBox && !window->HasEditField()) return CB_ERR;
      ShownText(window) = TextOf(lParam);
      CurrentBackend().WindowChanged(window);
      return TRUE;
    case WM_GETTEXT:
      return CopyText(ShownText(window), wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(ShownText(window).size());
    default:
      return 0;
  }
}

LRESULT LineText(HWND control, WPARAM index, LPARAM buffer) {
  auto* out = reinterpret_cast<LPSTR>(buffer);
  if (index >= control->List().items.size() || out == nullptr) return -1;
  const std::string& line = control->List().items[index];
  std::memcpy(out, line.c_str(), line.size() + 1);
  return static_cast<LRESULT>(line.size());
}

LRESULT LineLength(HWND control, WPARAM index) {
  if (index >= control->List().items.size()) return -1;
  return static_cast<LRESULT>(control->List().items[index].size());
}

LRESULT SetSelection(HWND control, WPARAM wParam) {
  const int index = static_cast<int>(wParam);
  if (!SelectLine(control, index)) return -1;
  return index;
}

bool IsKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR; }

LRESULT ListBoxMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LB_ADDSTRING:
      return AddLine(list, TextOf(lParam));
    case LB_DELETESTRING:
      return DeleteLine(list, static_cast<int>(wParam));
    case LB_GETCOUNT:
      return static_cast<LRESULT>(list->List().items.size());
    case LB_GETCURSEL:
      return list->List().selection;
    case LB_SETCURSEL:
      return SetSelection(list, wParam);
    case LB_GETTEXT:
      return LineText(list, wParam, lParam);
    case LB_GETTEXTLEN:
      return LineLength(list, wParam);
    default:
      if (IsKeyMessage(message)) {
        HandleListKey(list, message, wParam);
        return 0;
      }
      return TextMessage(list, message, wParam, lParam);
  }
}

LRESULT ComboBoxMessage(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case CB_ADDSTRING:
      return AddLine(combo, TextOf(lParam));
    case CB_GETCOUNT:
      return static_cast<LRESULT>(combo->List().items.size());
    case CB_GETCURSEL:
      return combo->List().selection;
    case CB_SETCURSEL:
      // An index out of range clears the selection, as -1 does.
      if (!SelectLine(combo, static_cast<int>(wParam))) SelectLine(combo, -1);
      return combo->List().selection == -1 ? CB_ERR : combo->List().selection;
    case CB_GETLBTEXT:
      return LineText(combo, wParam, lParam);
    case CB_GETLBTEXTLEN:
      return LineLength(combo, wParam);
    case CB_SHOWDROPDOWN:
      SetDropped(combo, wParam != 0);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return combo->Combo().droppedDown ? TRUE : FALSE;
    default:
      if (IsKeyMessage(message)) {
        HandleListKey(combo, message, wParam);
        return 0;
      }
      return TextMessage(combo, message, wParam, lParam);
  }
}

LRESULT SystemCommand(HWND dialog, WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_CLOSE:
      return SendMessageA(dialog, WM_CLOSE, 0, 0);
    case SC_KEYMENU:
      CurrentBackend().OpenSystemMenu(dialog);
      return 0;
    case SC_MOVE:
      CurrentBackend().BeginMove(dialog);
      RunMoveLoop(dialog);
      return 0;
    default:
      return 0;
  }
}

LRESULT DialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      HWND cancel = dialog->Child(IDCANCEL);
      return SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    }
    case WM_SYSCOMMAND:
      return SystemCommand(dialog, wParam);
    case WM_SETICON: {
      HICON& slot = wParam == ICON_BIG ? dialog->Dialog().bigIcon : dialog->Dialog().smallIcon;
      HICON previous = slot;
      slot = reinterpret_cast<HICON>(lParam);
      CurrentBackend().WindowChanged(dialog);
      return reinterpret_cast<LRESULT>(previous);
    }
    default:
      return TextMessage(dialog, message, wParam, lParam);
  }
}

}  // namespace

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (window->kind) {
    case WindowKind::Dialog:
      return DialogMessage(window, message, wParam, lParam);
    case WindowKind::ListBox:
      return ListBoxMessage(window, message, wParam, lParam);
    case WindowKind::ComboBox:
      return ComboBoxMessage(window, message, wParam, lParam);
    default:
      return TextMessage(window, message, wParam, lParam);
  }
}

}  // namespace framework
