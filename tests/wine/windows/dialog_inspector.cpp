// dialog-inspector: drives and inspects the program's real dialog from another
// process under Wine, one step after the other as its arguments say, and
// prints what it finds, one line per fact:
//
//   launch PROGRAM      start PROGRAM; "launched caption=T" once it waits
//                       for input with its main dialog or a message box over
//                       it shown, which becomes the current window
//   font FACE POINTS    the font whose glyphs `controls` checks texts against
//   controls            "control id=N missing=N width=N room=N text=T" for
//                       each control of the current window (missing:
//                       characters without a glyph in the font; width: the
//                       text's on one line in the control's own font, room:
//                       the width the control gives it, in pixels)
//   box                 "box text=T": the text of the current window, a
//                       message box
//   select ID INDEX     select a line of list or combo box ID (no notification)
//   post ID             post the click of button ID to the main dialog
//   system-menu         open the main dialog's system menu as Alt+Space does
//                       and make the menu current: "menu shown"
//   menu-key VK         post the key press VK to the dialog, as the keyboard
//                       would while its menu is open
//   key ID VK           post the key press VK to control ID, as the keyboard
//                       would (the program's modal loop takes it)
//   owned               wait for a window the main dialog owns (a message box,
//                       the about box) and make it current: "owned caption=T"
//   press ID            press button ID of the current window and wait until
//                       it has closed
//   picture FILE        save the current window as it shows as a BMP file
//   wait-exit           "exit code=N" when the program has ended
//   terminate           end the launched program at once
//
// Texts are UTF-8 with backslash, line feed, carriage return and tab escaped
// as \\, \n, \r and \t. Exit status 1 after a step that failed ("error ...").
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/win32/text_messages.h"
#include "framework/win32/wide_text.h"
#include "tests/wine/windows/control_reader.h"
#include "tests/wine/windows/dialog_windows.h"
#include "tests/wine/windows/step_output.h"
#include "tests/wine/windows/window_picture.h"

namespace {

using namespace std::chrono_literals;
using framework::win32::WindowText;
using wine_test::Fail;
using wine_test::Say;

constexpr auto kWindowLimit = 20s;

struct Session {
  HANDLE process = nullptr;
  HWND dialog = nullptr;   // the program's main dialog
  HWND current = nullptr;  // the window `controls`, `box`, `press` and `picture` look at
  HFONT font = nullptr;
};

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

HFONT MakeFont(const std::string& face, int points) {
  const HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, framework::win32::Widen(face).c_str());
}

int MissingGlyphs(HFONT font, const std::wstring& text) {
  if (font == nullptr || text.empty()) return 0;
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  std::vector<WORD> glyphs(text.size());
  GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  int missing = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] >= L' ' && glyphs[k] == 0xFFFF) ++missing;
  }
  return missing;
}

// The width of the control's text on one line in the font the control draws
// with, mnemonic prefixes taken as the control takes them.
int TextWidth(const wine_test::ControlState& control) {
  const std::wstring text = framework::win32::Widen(control.text);
  if (text.empty()) return 0;
  const HDC dc = GetDC(control.window);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control.window, WM_GETFONT, 0, 0)));
  RECT rect{};
  const bool noPrefix = control.className == L"Static" && (control.style & SS_NOPREFIX) != 0;
  DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
  SelectObject(dc, previous);
  ReleaseDC(control.window, dc);
  return rect.right - rect.left;
}

// The width a control gives its text: a static's whole width; a button's or a
// group box's less the edges drawn on both sides.
int TextRoom(const wine_test::ControlState& control) {
  RECT client{};
  GetClientRect(control.window, &client);
  const int edges = control.className == L"Button" ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
  return client.right - client.left - edges;
}

void ListControls(const Session& session) {
  for (const wine_test::ControlState& control : wine_test::ReadControls(session.current)) {
    Say("control id=" + std::to_string(control.id) +
        " missing=" + std::to_string(MissingGlyphs(session.font, framework::win32::Widen(control.text))) +
        " width=" + std::to_string(TextWidth(control)) + " room=" + std::to_string(TextRoom(control)) +
        " text=" + Escaped(control.text));
  }
}

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void Launch(Session& session, const std::string& program) {
  const PROCESS_INFORMATION process = wine_test::StartProgram(program);
  if (process.hProcess == nullptr) {
    Fail("launch: cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
  }
  session.process = process.hProcess;
  const DWORD pid = process.dwProcessId;
  session.dialog = wine_test::WaitForWindow(
      [&session, pid] {
        const HWND dialog = wine_test::FindDialog(pid, "TAVRIN");
        if (dialog == nullptr) return HWND{};
        session.current = IsWindowVisible(dialog) ? dialog : wine_test::FindOwnedDialog(dialog);
        return session.current != nullptr ? dialog : HWND{};
      },
      kWindowLimit);
  if (session.dialog == nullptr) Fail("launch: neither the dialog nor a message box shown");
  Say("launched caption=" + Escaped(WindowText(session.current)));
}

void WaitExit(const Session& session) {
  if (session.process == nullptr || WaitForSingleObject(session.process, 30000) != WAIT_OBJECT_0) {
    Fail("wait-exit: the program did not end");
  }
  DWORD code = 0;
  GetExitCodeProcess(session.process, &code);
  Say("exit code=" + std::to_string(code));
}

class Steps {
 public:
  Steps(int argc, char** argv) : m_arguments(argv + 1, argv + argc) {}
  bool Done() const { return m_next >= m_arguments.size(); }
  std::string Word() {
    if (Done()) Fail("a step lacks an argument");
    return m_arguments[m_next++];
  }
  int Number() { return std::atoi(Word().c_str()); }

 private:
  std::vector<std::string> m_arguments;
  std::size_t m_next = 0;
};

void RequireDialog(const Session& session, const std::string& step) {
  if (session.dialog == nullptr || !IsWindow(session.dialog)) Fail(step + ": no dialog");
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  Session session;
  Steps steps(argc, argv);
  while (!steps.Done()) {
    const std::string step = steps.Word();
    if (step == "launch") {
      Launch(session, steps.Word());
    } else if (step == "font") {
      const std::string face = steps.Word();
      session.font = MakeFont(face, steps.Number());
    } else if (step == "controls") {
      if (session.current == nullptr) Fail("controls: no window");
      ListControls(session);
    } else if (step == "box") {
      if (session.current == nullptr) Fail("box: no window");
      Say("box text=" + Escaped(wine_test::ReadMessageBox(session.current).text));
    } else if (step == "select") {
      RequireDialog(session, step);
      const HWND control = GetDlgItem(session.dialog, steps.Number());
      const int index = steps.Number();
      const bool combo = wine_test::ClassName(control) == L"ComboBox";
      SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (step == "post") {
      RequireDialog(session, step);
      const int id = steps.Number();
      PostMessageW(session.dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(session.dialog, id)));
    } else if (step == "system-menu") {
      RequireDialog(session, step);
      PostMessageW(session.dialog, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      const DWORD thread = GetWindowThreadProcessId(session.dialog, nullptr);
      session.current = wine_test::WaitForWindow(
          [thread] {
            const HWND menu = FindWindowW(L"#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread
                       ? menu
                       : HWND{};
          },
          kWindowLimit);
      if (session.current == nullptr) Fail("system-menu: no menu shown");
      Say("menu shown");
    } else if (step == "menu-key") {
      RequireDialog(session, step);
      PostKey(session.dialog, static_cast<WPARAM>(steps.Number()));
      session.current = session.dialog;
    } else if (step == "key") {
      RequireDialog(session, step);
      const HWND control = GetDlgItem(session.dialog, steps.Number());
      PostKey(control, static_cast<WPARAM>(steps.Number()));
    } else if (step == "owned") {
      RequireDialog(session, step);
      const HWND dialog = session.dialog;
      session.current = wine_test::WaitForWindow([dialog] { return wine_test::FindOwnedDialog(dialog); }, kWindowLimit);
      if (session.current == nullptr) Fail("owned: no window shown over the dialog");
      Say("owned caption=" + Escaped(WindowText(session.current)));
    } else if (step == "press") {
      const int id = steps.Number();
      const HWND button = GetDlgItem(session.current, id);
      if (button == nullptr) Fail("press: no button " + std::to_string(id));
      const HWND pressed = session.current;
      PostMessageW(pressed, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      const HWND gone = wine_test::WaitForWindow(
          [pressed] { return IsWindowVisible(pressed) ? HWND{} : GetDesktopWindow(); }, kWindowLimit);
      if (gone == nullptr) Fail("press: the window stays");
      session.current = session.dialog;
    } else if (step == "picture") {
      const std::string path = steps.Word();
      if (!wine_test::SaveWindowPicture(session.current, path)) Fail("picture: cannot save " + path);
    } else if (step == "wait-exit") {
      WaitExit(session);
    } else if (step == "terminate") {
      if (session.process != nullptr) {
        TerminateProcess(session.process, 1);
        WaitForSingleObject(session.process, 30000);
      }
    } else {
      Fail("unknown step " + step);
    }
  }
  return 0;
}
