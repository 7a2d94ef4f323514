// dialog-inspector: drives and inspects the program's real dialog from another
// process under Wine, one step after the other as its arguments say, and
// prints what it finds, one line per fact:
//
//   launch PROGRAM      start PROGRAM; "launched ms=N caption=T" once it waits
//                       for input with its main dialog or a message box over
//                       it shown, which becomes the current window
//   attach              take the shown main dialog of any process
//   font FACE POINTS    the font whose glyphs `controls` checks texts against
//   controls            "control id=N class=C visible=0|1 enabled=0|1
//                       missing=N text=T" for each control of the current window
//                       (missing: characters without a glyph in the font)
//   lines ID            "line id=ID index=N text=T" for list or combo box ID
//   select ID INDEX     select a line of list or combo box ID (no notification)
//   post ID [CODE]      post the command that control ID sends (BN_CLICKED)
//   send ID [CODE]      send it and wait for the handler: "sent ms=N"
//   syscommand N        post the system command N to the main dialog
//   system-menu         open the main dialog's system menu as Alt+Space does
//                       and make the menu current: "menu shown"
//   menu-key VK         post the key press VK to the dialog, as the keyboard
//                       would while its menu is open
//   close               post WM_CLOSE to the main dialog
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

#include "dialog_windows.h"
#include "wide_text.h"
#include "window_picture.h"

namespace {

using namespace std::chrono_literals;
using wine_test::WindowText;

constexpr auto kWindowLimit = 20s;

struct Session {
  HANDLE process = nullptr;
  HWND dialog = nullptr;   // the program's main dialog
  HWND current = nullptr;  // the window `controls`, `press` and `picture` look at
  HFONT font = nullptr;
};

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\r': escaped += "\\r"; break;
      case '\t': escaped += "\\t"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

void Say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& why) {
  Say("error " + why);
  std::exit(1);
}

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
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

void ListControls(const Session& session) {
  for (HWND control = GetWindow(session.current, GW_CHILD); control != nullptr;
       control = GetWindow(control, GW_HWNDNEXT)) {
    const std::string text = WindowText(control);
    Say("control id=" + std::to_string(static_cast<int>(static_cast<short>(GetDlgCtrlID(control)))) +
        " class=" + framework::win32::Narrow(wine_test::ClassName(control)) +
        " visible=" + std::to_string(IsWindowVisible(control) ? 1 : 0) +
        " enabled=" + std::to_string(IsWindowEnabled(control) ? 1 : 0) +
        " missing=" + std::to_string(MissingGlyphs(session.font, framework::win32::Widen(text))) +
        " text=" + Escaped(text));
  }
}

void ListLines(const Session& session, int id) {
  const HWND control = GetDlgItem(session.dialog, id);
  const bool combo = wine_test::ClassName(control) == L"ComboBox";
  const LRESULT count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const auto at = static_cast<WPARAM>(index);
    const LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, at, 0);
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, at, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    Say("line id=" + std::to_string(id) + " index=" + std::to_string(index) +
        " text=" + Escaped(framework::win32::Narrow(text)));
  }
}

WPARAM Command(int id, int code) { return MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)); }

void Launch(Session& session, const std::string& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + framework::win32::Widen(program) + L"\"";
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    Fail("launch: cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
  }
  CloseHandle(process.hThread);
  session.process = process.hProcess;
  WaitForInputIdle(process.hProcess, 30000);
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
  Say("launched ms=" + std::to_string(MillisecondsSince(start)) + " caption=" + Escaped(WindowText(session.current)));
}

void Attach(Session& session) {
  session.dialog = wine_test::WaitForWindow(
      [] {
        const HWND dialog = wine_test::FindDialog(0, "TAVRIN");
        return dialog != nullptr && IsWindowVisible(dialog) ? dialog : HWND{};
      },
      kWindowLimit);
  if (session.dialog == nullptr) Fail("attach: no dialog shown");
  session.current = session.dialog;
  DWORD pid = 0;
  GetWindowThreadProcessId(session.dialog, &pid);
  session.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
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
  int NumberOr(int fallback) {
    if (Done() || m_arguments[m_next].empty() || !std::isdigit(static_cast<unsigned char>(m_arguments[m_next][0]))) {
      return fallback;
    }
    return Number();
  }

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
    } else if (step == "attach") {
      Attach(session);
    } else if (step == "font") {
      const std::wstring face = framework::win32::Widen(steps.Word());
      const int points = steps.Number();
      const HDC dc = GetDC(nullptr);
      const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
      ReleaseDC(nullptr, dc);
      session.font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str());
      const HDC screen = GetDC(nullptr);
      const HGDIOBJ previous = SelectObject(screen, session.font);
      wchar_t chosen[LF_FACESIZE] = L"";
      GetTextFaceW(screen, LF_FACESIZE, chosen);
      SelectObject(screen, previous);
      ReleaseDC(nullptr, screen);
      Say("font face=" + Escaped(framework::win32::Narrow(chosen)));
    } else if (step == "controls") {
      if (session.current == nullptr) Fail("controls: no window");
      ListControls(session);
    } else if (step == "lines") {
      RequireDialog(session, step);
      ListLines(session, steps.Number());
    } else if (step == "select") {
      RequireDialog(session, step);
      const HWND control = GetDlgItem(session.dialog, steps.Number());
      const int index = steps.Number();
      const bool combo = wine_test::ClassName(control) == L"ComboBox";
      SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (step == "post" || step == "send") {
      RequireDialog(session, step);
      const int id = steps.Number();
      const WPARAM command = Command(id, steps.NumberOr(BN_CLICKED));
      const auto control = reinterpret_cast<LPARAM>(GetDlgItem(session.dialog, id));
      if (step == "post") {
        PostMessageW(session.dialog, WM_COMMAND, command, control);
      } else {
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(session.dialog, WM_COMMAND, command, control);
        Say("sent ms=" + std::to_string(MillisecondsSince(start)));
      }
    } else if (step == "syscommand") {
      RequireDialog(session, step);
      PostMessageW(session.dialog, WM_SYSCOMMAND, static_cast<WPARAM>(steps.Number()), 0);
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
      const auto key = static_cast<WPARAM>(steps.Number());
      PostMessageW(session.dialog, WM_KEYDOWN, key, 1);
      PostMessageW(session.dialog, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
      session.current = session.dialog;
    } else if (step == "close") {
      RequireDialog(session, step);
      PostMessageW(session.dialog, WM_CLOSE, 0, 0);
    } else if (step == "key") {
      RequireDialog(session, step);
      const HWND control = GetDlgItem(session.dialog, steps.Number());
      const auto key = static_cast<WPARAM>(steps.Number());
      PostMessageW(control, WM_KEYDOWN, key, 1);
      PostMessageW(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
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
      PostMessageW(pressed, WM_COMMAND, Command(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
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
