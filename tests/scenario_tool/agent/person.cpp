#include "tests/scenario_tool/agent/person.h"

#include <windows.h>

#include "framework/win32/modal_loop.h"
#include "framework/win32/wide_text.h"
#include "tests/scenario_tool/agent/main_thread.h"

namespace scenario::agent {
namespace {

using Outcome = std::optional<std::string>;

int Number(const std::string& word) { return std::stoi(word, nullptr, 0); }

HWND TopDialog() { return framework::win32::ModalRun::TopWindow(); }

// The control `id` of the dialog on top if a person can reach it.
HWND ReachableControl(HWND dialog, int id, Outcome& problem) {
  const HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    problem = "the dialog has no control " + std::to_string(id);
  } else if (!IsWindowEnabled(dialog) || !IsWindowEnabled(control) || !IsWindowVisible(control)) {
    problem = "control " + std::to_string(id) + " takes no input (disabled, hidden or under another window)";
    return nullptr;
  }
  return control;
}

// ---- Real input --------------------------------------------------------------
// A button event at a point of the screen.
INPUT MouseInput(DWORD button, POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  return input;
}

// The person moves the pointer to the point, then presses and releases the
// button there. Under Wine the X server reports the pointer to the program's
// thread late: a window that closed under it (a message box, a dropped list)
// reports where the pointer was before the move, and would put it back there
// before the press. Wine drops such reports when they are older than a move
// made on the thread that receives them, so the move is made on the program's
// thread. The press and the release name the point as well.
void ClickAt(POINT screen) {
  RunOnMainThread([&] { SetCursorPos(screen.x, screen.y); });
  INPUT inputs[] = {MouseInput(MOUSEEVENTF_LEFTDOWN, screen), MouseInput(MOUSEEVENTF_LEFTUP, screen)};
  SendInput(2, inputs, sizeof(INPUT));
  AwaitPerson();
}

INPUT KeyInput(WORD virtualKey, bool up, WORD unicode = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = unicode != 0 ? 0 : virtualKey;
  input.ki.wScan = unicode;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unicode != 0 ? KEYEVENTF_UNICODE : 0);
  return input;
}

// A person at the keyboard rests the pointer outside the dialog, so that a
// list dropped by a key does not open under it (the platform's list follows
// the pointer over it). A dropped list holds the mouse capture; the pointer
// stays where it was then, off the list, as the click that dropped it left it.
void SendKeys(std::vector<INPUT> inputs) {
  RunOnMainThread([] {
    if (GetCapture() == nullptr) SetCursorPos(0, 0);
  });
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  AwaitPerson();
}

// Where on a line or button the next click lands: a third from its left or
// from its right, by turns, so that two clicks in a row on one line are two
// clicks and not the platform's double-click.
int ClickX(const RECT& rect) {
  static bool right = false;
  right = !right;
  const LONG width = rect.right - rect.left;
  return rect.left + (right ? width - width / 3 : width / 3);
}

// The screen point where a click on `rect` (in the window's client
// coordinates) lands.
POINT PointIn(HWND window, const RECT& rect) {
  POINT point{ClickX(rect), (rect.top + rect.bottom) / 2};
  ClientToScreen(window, &point);
  return point;
}

// The screen point on line `index` of a list box, scrolled into view as a
// person would; nullopt when there is no such line.
std::optional<POINT> LinePoint(HWND list, int index) {
  RECT line;
  if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line)) == LB_ERR) {
    return std::nullopt;
  }
  RECT client;
  GetClientRect(list, &client);
  if (line.top < client.top || line.bottom > client.bottom) {
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&line));
  }
  return PointIn(list, line);
}

// ---- The actions ---------------------------------------------------------------
Outcome SelectLine(int listId, int index) {
  Outcome problem;
  std::optional<POINT> point;
  HWND list = nullptr;
  RunOnMainThread([&] {
    list = ReachableControl(TopDialog(), listId, problem);
    if (list != nullptr) point = LinePoint(list, index);
  });
  if (problem) return problem;
  if (!point) return "list " + std::to_string(listId) + " has no line " + std::to_string(index);
  ClickAt(*point);
  LRESULT selection = -1;
  RunOnMainThread([&] { selection = SendMessageW(list, LB_GETCURSEL, 0, 0); });
  if (selection != index)
    return "list " + std::to_string(listId) + " did not take the click on line " + std::to_string(index);
  return std::nullopt;
}

// A click on the combo's button, which drops its list down.
Outcome Drop(int comboId, COMBOBOXINFO& info) {
  Outcome problem;
  HWND combo = nullptr;
  info.cbSize = sizeof info;
  POINT button{};
  RunOnMainThread([&] {
    combo = ReachableControl(TopDialog(), comboId, problem);
    if (combo == nullptr) return;
    GetComboBoxInfo(combo, &info);
    button = PointIn(combo, info.rcButton);
  });
  if (problem) return problem;
  ClickAt(button);
  bool dropped = false;
  RunOnMainThread([&] { dropped = IsWindowVisible(info.hwndList) != FALSE; });
  if (!dropped) return "combo " + std::to_string(comboId) + " did not drop its list down";
  return std::nullopt;
}

// Drops the list down, then clicks the item.
Outcome Choose(int comboId, int index) {
  COMBOBOXINFO info{};
  bool hasItem = false;
  RunOnMainThread([&] {
    const HWND combo = GetDlgItem(TopDialog(), comboId);
    hasItem = combo != nullptr && index < SendMessageW(combo, CB_GETCOUNT, 0, 0);
  });
  if (!hasItem) return "combo " + std::to_string(comboId) + " has no item " + std::to_string(index);
  if (const Outcome problem = Drop(comboId, info)) return problem;
  std::optional<POINT> point;
  RunOnMainThread([&] { point = LinePoint(info.hwndList, index); });
  if (!point) return "combo " + std::to_string(comboId) + " has no item " + std::to_string(index);
  ClickAt(*point);
  LRESULT selection = -1;
  RunOnMainThread([&] { selection = SendMessageW(info.hwndCombo, CB_GETCURSEL, 0, 0); });
  if (selection != index) return "combo " + std::to_string(comboId) + " did not take item " + std::to_string(index);
  return std::nullopt;
}

// The characters of `text`, typed as real keys.
void TypeCharacters(const std::string& text) {
  std::vector<INPUT> keys;
  for (wchar_t c : framework::win32::Widen(text)) {
    keys.push_back(KeyInput(0, false, c));
    keys.push_back(KeyInput(0, true, c));
  }
  SendKeys(keys);
}

// A click into the edit field (which closes a dropped list, as any click
// outside it does), its text selected, and the text typed over it.
Outcome Type(int comboId, const std::string& text) {
  Outcome problem;
  HWND edit = nullptr;
  POINT point{};
  RunOnMainThread([&] {
    const HWND combo = ReachableControl(TopDialog(), comboId, problem);
    if (combo == nullptr) return;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    edit = info.hwndItem != combo ? info.hwndItem : nullptr;
    if (edit == nullptr) {
      problem = "combo " + std::to_string(comboId) + " has no edit field";
      return;
    }
    point = PointIn(combo, info.rcItem);
  });
  if (problem) return problem;
  ClickAt(point);
  RunOnMainThread([&] { SendMessageW(edit, EM_SETSEL, 0, -1); });
  TypeCharacters(text);
  return std::nullopt;
}

// A key pressed and released, with Alt and Shift held around it as asked.
void PressKey(WORD virtualKey, bool shift, bool alt) {
  std::vector<INPUT> keys;
  if (alt) keys.push_back(KeyInput(VK_MENU, false));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, false));
  keys.push_back(KeyInput(virtualKey, false));
  keys.push_back(KeyInput(virtualKey, true));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, true));
  if (alt) keys.push_back(KeyInput(VK_MENU, true));
  SendKeys(keys);
}

// The dialog manager's own way of moving the focus to a control.
Outcome MoveFocus(int id) {
  Outcome problem;
  HWND dialog = nullptr;
  HWND control = nullptr;
  RunOnMainThread([&] {
    dialog = TopDialog();
    control = ReachableControl(dialog, id, problem);
    if (control != nullptr) PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  });
  if (problem) return problem;
  AwaitPerson();
  bool moved = false;
  RunOnMainThread([&] {
    const HWND focus = GetFocus();
    moved = focus == control || IsChild(control, focus);
  });
  if (!moved) return "control " + std::to_string(id) + " takes no focus";
  return std::nullopt;
}

// Posts a message to the dialog on top.
Outcome Post(UINT message, WPARAM wParam, int controlId = 0) {
  RunOnMainThread([&] {
    const HWND dialog = TopDialog();
    const LPARAM control = controlId != 0 ? reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)) : 0;
    PostMessageW(dialog, message, wParam, control);
  });
  AwaitPerson();
  return std::nullopt;
}

}  // namespace

std::optional<std::string> Act(const std::vector<std::string>& words) {
  bool runs = false;
  RunOnMainThread([&] { runs = TopDialog() != nullptr; });
  if (!runs) return std::string("no dialog runs to take it");
  const std::string& what = words.at(0);
  if (what == "select") return SelectLine(Number(words.at(1)), Number(words.at(2)));
  if (what == "choose") return Choose(Number(words.at(1)), Number(words.at(2)));
  if (what == "drop") {
    COMBOBOXINFO info{};
    return Drop(Number(words.at(1)), info);
  }
  if (what == "type") return Type(Number(words.at(1)), words.at(2));
  if (what == "key") {
    PressKey(static_cast<WORD>(Number(words.at(1))), words.at(2) == "1", words.at(3) == "1");
    return std::nullopt;
  }
  if (what == "chars") {
    TypeCharacters(words.at(1));
    return std::nullopt;
  }
  if (what == "focus") return MoveFocus(Number(words.at(1)));
  if (what == "click") {
    const int id = Number(words.at(1));
    return Post(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), id);
  }
  // The close box and the system menu's items reach the window as system commands.
  if (what == "close") return Post(WM_SYSCOMMAND, SC_CLOSE);
  if (what == "syscommand") return Post(WM_SYSCOMMAND, static_cast<WPARAM>(std::stoul(words.at(1), nullptr, 0)));
  return "no such action: " + what;
}

}  // namespace scenario::agent
