#include "framework/linux/tui/terminal_backend.h"

#include <algorithm>
#include <utility>

#include "framework/linux/input.h"
#include "framework/linux/tui/dialog_input.h"
#include "framework/linux/tui/screen_painter.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {

TerminalBackend::TerminalBackend() { UseUtf8CharacterTypes(); }

TerminalBackend::~TerminalBackend() { m_terminal.Stop(); }

bool TerminalBackend::EnsureStarted() {
  if (m_terminal.Started()) return true;
  if (m_unusable || !m_terminal.Start()) {
    m_unusable = true;
    return false;
  }
  return true;
}

void TerminalBackend::Redraw(const MessageBoxPopup* box) {
  const PaintedScreen painted = PaintScreen(m_state, box, m_terminal.Size());
  m_terminal.Show(painted.canvas, painted.caret, std::exchange(m_repaintAll, false));
}

InputEvent TerminalBackend::ReadEvent() {
  InputEvent event = m_terminal.Read();
  if (event.kind == InputEvent::Kind::Resize || (event.kind == InputEvent::Kind::Key && event.key == Key::Redraw)) {
    m_repaintAll = true;
    return {};
  }
  return event;
}

bool TerminalBackend::WaitForInput() {
  if (!EnsureStarted()) return false;
  while (!HasPendingMessages()) {
    HWND dialog = TopDialog();
    if (dialog == nullptr) return false;  // no window to take input
    Redraw();
    const InputEvent event = ReadEvent();
    if (event.kind == InputEvent::Kind::Hangup) return false;
    HandleDialogEvent(m_state, dialog, event);
  }
  return true;
}

int TerminalBackend::MessageBox(HWND, const std::string& text, const std::string& caption, UINT type) {
  if (!EnsureStarted()) return UnansweredBoxResult(type);
  MessageBoxPopup box(text, caption, type);
  while (true) {
    Redraw(&box);
    const InputEvent event = ReadEvent();
    std::optional<int> answer;
    if (event.kind == InputEvent::Kind::Hangup) return UnansweredBoxResult(type);
    if (event.kind == InputEvent::Kind::Key) answer = box.OnKey(event.key, event.character);
    if (event.kind == InputEvent::Kind::Click) {
      const HitArea* hit = m_state.HitAt(event.row, event.column);
      if (hit != nullptr && hit->what == HitArea::What::BoxButton) answer = box.OnClick(hit->index);
    }
    if (answer) return *answer;
  }
}

void TerminalBackend::DialogStarted(HWND dialog) { m_state.dialogs.push_back(dialog); }

void TerminalBackend::DialogEnded(HWND dialog) {
  m_state.Forget(dialog);
  if (m_state.dialogs.empty()) m_terminal.Stop();
}

void TerminalBackend::WaitCursorChanged(bool waiting) {
  m_state.busy = waiting;
  // The program is busy and takes no input until it is done: show it now.
  if (waiting && EnsureStarted()) Redraw();
}

void TerminalBackend::OpenSystemMenu(HWND dialog) { m_state.menu.emplace(dialog, SystemMenuEntries(*dialog)); }

int TerminalBackend::PageLines(HWND control) {
  const auto& views = control->kind == WindowKind::ComboBox ? m_state.droppedViews : m_state.listViews;
  const auto view = views.find(control);
  return view != views.end() ? std::max(view->second.rows, 1) : Backend::PageLines(control);
}

}  // namespace framework::tui
