#include "dialog_reader.h"

#include <map>

#include "framework.h"
#include "port_setup_dlg.h"
#include "script_words.h"
#include "win32/text_messages.h"
#include "win32/wide_text.h"
#include "win32/window_wrappers.h"

namespace scenario::agent {
namespace {

using framework::win32::SendTextMessage;
using framework::win32::WindowText;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

const char* KindOf(HWND control) {
  const std::wstring name = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (name == L"Button") return (style & BS_TYPEMASK) == BS_GROUPBOX ? "group-box" : "push-button";
  if (name == L"Static") return (style & SS_TYPEMASK) == SS_ICON ? "icon-static" : "static";
  if (name == L"ListBox") return "list-box";
  if (name == L"ComboBox") return "combo-box";
  return "other";
}

// The lines of a list box or the list of a combo box, read through the
// framework's UTF-8 messages.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> items;
  const auto count = SendMessageW(control, countMessage, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto length = SendTextMessage(control, lengthMessage, static_cast<WPARAM>(index), 0);
    std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendTextMessage(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find('\0'));
    items.push_back(text);
  }
  return items;
}

std::string ControlLine(HWND control) {
  const std::string kind = KindOf(control);
  std::vector<std::string> items;
  LRESULT selection = -1;
  if (kind == "list-box") {
    items = Items(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    selection = SendMessageW(control, LB_GETCURSEL, 0, 0);
  } else if (kind == "combo-box") {
    items = Items(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    selection = SendMessageW(control, CB_GETCURSEL, 0, 0);
  }
  // Built by appending, which GCC 12 at -O3 does not misreport.
  std::string line = "control";
  for (const std::string& word :
       {std::to_string(GetDlgCtrlID(control)), kind, std::string(IsWindowEnabled(control) ? "1" : "0"),
        std::string(IsWindowVisible(control) ? "1" : "0"), std::to_string(selection), QuoteWord(WindowText(control))}) {
    line.append(" ").append(word);
  }
  for (const std::string& item : items) line.append(" ").append(QuoteWord(item));
  return line;
}

// The dialog's control that holds the focus: a combo's edit field counts as its combo.
std::string FocusLine(HWND dialog) {
  HWND focus = GetFocus();
  if (focus == dialog) return "focus 0";
  while (focus != nullptr && GetParent(focus) != dialog) focus = GetParent(focus);
  return focus != nullptr ? "focus " + std::to_string(GetDlgCtrlID(focus)) : "focus none";
}

// How many items the platform itself puts in the system menu of a window of
// this style: a window of the same style made and asked once.
int PlatformMenuItemCount(LONG style) {
  static std::map<LONG, int> counts;
  const auto found = counts.find(style);
  if (found != counts.end()) return found->second;
  const HWND probe = CreateWindowExW(0, L"#32770", L"", static_cast<DWORD>(style & ~WS_VISIBLE), 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const HMENU menu = probe != nullptr ? GetSystemMenu(probe, FALSE) : nullptr;
  const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
  if (probe != nullptr) DestroyWindow(probe);
  return counts[style] = count;
}

// The system menu's items after the platform's own.
void AddMenuLines(HWND dialog, std::vector<std::string>& lines) {
  const HMENU menu = GetSystemMenu(dialog, FALSE);
  if (menu == nullptr) return;
  const int count = GetMenuItemCount(menu);
  for (int index = PlatformMenuItemCount(GetWindowLongW(dialog, GWL_STYLE)); index < count; ++index) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION);
    wchar_t text[256] = L"";
    GetMenuStringW(menu, static_cast<UINT>(index), text, 256, MF_BYPOSITION);
    lines.push_back("menu " + std::to_string(state & MF_SEPARATOR ? MF_SEPARATOR : MF_STRING) + " " +
                    QuoteWord(framework::win32::Narrow(text)));
  }
}

}  // namespace

std::vector<std::string> ReadDialog(HWND dialog) {
  std::vector<std::string> lines;
  const auto* wrapper = dynamic_cast<const CDialog*>(framework::win32::PermanentWrapper(dialog));
  lines.push_back("dialog " + std::to_string(wrapper != nullptr ? wrapper->TemplateId() : 0));
  lines.push_back(std::string("self ") + (IsWindowEnabled(dialog) ? "1 " : "0 ") +
                  (IsWindowVisible(dialog) ? "1 " : "0 ") + QuoteWord(WindowText(dialog)));
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    lines.push_back(ControlLine(child));
  }
  lines.push_back(FocusLine(dialog));
  AddMenuLines(dialog, lines);
  if (const auto* main = dynamic_cast<const CPortSetupDlg*>(wrapper)) {
    lines.push_back("dirty " + std::to_string(main->DirtyFlag()));
  }
  return lines;
}

}  // namespace scenario::agent
