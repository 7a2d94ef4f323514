#include "framework/linux/tui/curses_terminal.h"

#include <curses.h>

#include <cstdio>
#include <cstring>

#include "framework/linux/tui/terminal_keys.h"

namespace framework::tui {
namespace {

// Escape is a key of its own here, not the start of a sequence to wait for.
constexpr int kEscapeDelayMs = 25;
// Reads that keep failing mean the terminal has gone away.
constexpr int kFailedReadsOfHangup = 64;

attr_t AttributesOf(const Cell& cell) {
  attr_t attributes = A_NORMAL;
  switch (cell.tone) {
    case Tone::Plain:
      break;
    case Tone::Strong:
      attributes = A_BOLD;
      break;
    case Tone::Highlight:
      attributes = A_REVERSE;
      break;
    case Tone::Selected:
      attributes = A_BOLD | A_UNDERLINE;
      break;
    case Tone::Field:
      attributes = A_UNDERLINE;
      break;
    case Tone::Disabled:
      attributes = A_DIM;
      break;
  }
  return cell.underline ? (attributes | A_UNDERLINE) : attributes;
}

// A key code that terminfo names, for the Alt combinations reported as keys of their own.
InputEvent EventOfNamedKey(int code) {
  const char* name = keyname(code);
  if (name == nullptr) return {};
  if (std::strcmp(name, "kDN3") == 0) return InputEvent::Press(Key::AltDown);
  if (std::strcmp(name, "kUP3") == 0) return InputEvent::Press(Key::AltUp);
  return {};
}

InputEvent EventOfMouse() {
  MEVENT mouse{};
  if (getmouse(&mouse) != OK) return {};
  if ((mouse.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) != 0) {
    return InputEvent::At(InputEvent::Kind::Click, mouse.y, mouse.x);
  }
  if ((mouse.bstate & BUTTON4_PRESSED) != 0) return InputEvent::At(InputEvent::Kind::WheelUp, mouse.y, mouse.x);
  if ((mouse.bstate & BUTTON5_PRESSED) != 0) return InputEvent::At(InputEvent::Kind::WheelDown, mouse.y, mouse.x);
  return {};
}

InputEvent EventOfRead(int status, wint_t code) {
  if (status == KEY_CODE_YES) {
    if (code == KEY_MOUSE) return EventOfMouse();
    InputEvent event = EventOfFunctionKey(static_cast<int>(code));
    return event.kind != InputEvent::Kind::Nothing ? event : EventOfNamedKey(static_cast<int>(code));
  }
  return EventOfCharacter(static_cast<char32_t>(code));
}

}  // namespace

CursesTerminal::~CursesTerminal() { Stop(); }

bool CursesTerminal::Start() {
  if (m_screen != nullptr) return true;
  m_screen = newterm(nullptr, stdout, stdin);
  if (m_screen == nullptr) return false;
  set_term(m_screen);
  raw();  // Ctrl+C reaches the dialog as a key instead of killing the program
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(kEscapeDelayMs);
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  mouseinterval(0);
  curs_set(0);
  m_failedReads = 0;
  return true;
}

void CursesTerminal::Stop() {
  if (m_screen == nullptr) return;
  endwin();
  delscreen(m_screen);
  m_screen = nullptr;
}

CellSize CursesTerminal::Size() const {
  if (m_screen == nullptr) return {};
  return {getmaxx(stdscr), getmaxy(stdscr)};
}

void CursesTerminal::Show(const Canvas& canvas, std::optional<CellPoint> caret, bool repaintAll) {
  if (m_screen == nullptr) return;
  if (repaintAll) clearok(curscr, TRUE);
  const CellSize size = Size();
  for (int row = 0; row < canvas.Height() && row < size.height; ++row) {
    for (int column = 0; column < canvas.Width() && column < size.width; ++column) {
      const Cell& cell = canvas.At(row, column);
      if (cell.glyph.empty()) continue;  // the right half of a wide glyph
      const std::string_view glyph =
          (cell.glyph == " " && cell.lines != 0) ? Canvas::LineGlyph(cell.lines, cell.doubleLines) : cell.glyph;
      attrset(AttributesOf(cell));
      mvaddnstr(row, column, glyph.data(), static_cast<int>(glyph.size()));
    }
  }
  attrset(A_NORMAL);
  if (caret) {
    curs_set(1);
    move(caret->row, caret->column);
  } else {
    curs_set(0);
  }
  refresh();
}

InputEvent CursesTerminal::ReadAfterEscape() {
  // What came with the Escape is read at once; nothing there means the Escape key.
  nodelay(stdscr, TRUE);
  wint_t code = 0;
  const int status = get_wch(&code);
  nodelay(stdscr, FALSE);
  if (status == ERR) return InputEvent::Press(Key::Escape);
  if (status == OK && code == 27) {
    unget_wch(27);  // two Escapes in a row are two Escape keys
    return InputEvent::Press(Key::Escape);
  }
  return WithAlt(EventOfRead(status, code));
}

InputEvent CursesTerminal::Read() {
  if (m_screen == nullptr) return {InputEvent::Kind::Hangup, Key::None, 0, 0, 0};
  wint_t code = 0;
  const int status = get_wch(&code);
  if (status == ERR) {
    if (++m_failedReads >= kFailedReadsOfHangup) return {InputEvent::Kind::Hangup, Key::None, 0, 0, 0};
    return {};
  }
  m_failedReads = 0;
  if (status == OK && code == 27) return ReadAfterEscape();
  return EventOfRead(status, code);
}

}  // namespace framework::tui
