#include "tests/scenario_tool/agent/dialog_reader.h"

#include <map>

#include "dialog/port_setup_dlg.h"
#include "framework/framework.h"
#include "framework/win32/text_messages.h"
#include "framework/win32/wide_text.h"
#include "framework/win32/window_wrappers.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/wine/windows/control_reader.h"
#include "tests/wine/windows/dialog_windows.h"

namespace scenario::agent {
namespace {

using framework::win32::WindowText;

const char* KindOf(const wine_test::ControlState& control) {
  if (control.className == L"Button") return (control.style & BS_TYPEMASK) == BS_GROUPBOX ? "group-box" : "push-button";
  if (control.className == L"Static") return (control.style & SS_TYPEMASK) == SS_ICON ? "icon-static" : "static";
  if (control.className == L"ListBox") return "list-box";
  if (control.className == L"ComboBox") return "combo-box";
  return "other";
}

std::string ControlLine(const wine_test::ControlState& control) {
  // Built by appending, which GCC 12 at -O3 does not misreport.
  std::string line = "control";
  for (const std::string& word :
       {std::to_string(control.id), std::string(KindOf(control)), std::string(control.enabled ? "1" : "0"),
        std::string(control.visible ? "1" : "0"), std::string(control.showsIcon ? "1" : "0"),
        std::to_string(control.selection), QuoteWord(control.text)}) {
    line.append(" ").append(word);
  }
  for (const std::string& item : control.items) line.append(" ").append(QuoteWord(item));
  return line;
}

bool IsTextStatic(HWND window, LONG style) {
  return wine_test::ClassName(window) == L"Static" && (style & SS_TYPEMASK) != SS_ICON;
}

// The platform's accessibility names a control by its window text, or a list,
// a combo and an icon static by its label: the first text static or group box
// before it in the window order, unless a window with both WS_GROUP and
// WS_TABSTOP comes first. Wine's accessibility names nothing, so the rule is
// applied here to the real windows. '&' marks are taken out.
std::string AccessibleName(HWND control) {
  const std::wstring className = wine_test::ClassName(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  HWND named = control;
  if (className == L"ListBox" || className == L"ComboBox" ||
      (className == L"Static" && !IsTextStatic(control, style))) {
    named = nullptr;
    for (HWND before = GetWindow(control, GW_HWNDPREV); before != nullptr; before = GetWindow(before, GW_HWNDPREV)) {
      const LONG beforeStyle = GetWindowLongW(before, GWL_STYLE);
      const bool groupBox = wine_test::ClassName(before) == L"Button" && (beforeStyle & BS_TYPEMASK) == BS_GROUPBOX;
      if (groupBox || IsTextStatic(before, beforeStyle)) {
        named = before;
        break;
      }
      if ((beforeStyle & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
    }
  }
  const std::string text = named != nullptr ? WindowText(named) : std::string();
  std::string name;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    name += text[at];
  }
  return name;
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
  const bool hasIcon = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) != 0;
  lines.push_back(std::string("self ") + (IsWindowEnabled(dialog) ? "1 " : "0 ") +
                  (IsWindowVisible(dialog) ? "1 " : "0 ") + (hasIcon ? "1 " : "0 ") + QuoteWord(WindowText(dialog)));
  // ReadControls reads the children in the window order, as this walk does.
  HWND child = GetWindow(dialog, GW_CHILD);
  for (const wine_test::ControlState& control : wine_test::ReadControls(dialog)) {
    lines.push_back(ControlLine(control));
    if (child == nullptr) continue;
    lines.push_back("name " + QuoteWord(AccessibleName(child)));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  lines.push_back(FocusLine(dialog));
  AddMenuLines(dialog, lines);
  if (const auto* main = dynamic_cast<const CPortSetupDlg*>(wrapper)) {
    lines.push_back("dirty " + std::to_string(main->DirtyFlag()));
  }
  return lines;
}

}  // namespace scenario::agent
