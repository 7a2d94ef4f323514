#include "framework/linux/tui/message_box_popup.h"

#include <algorithm>

#include "framework/linux/resources.h"
#include "framework/linux/tui/screen_state.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

constexpr int kButtonGap = 2;
constexpr int kWidestText = 64;  // a long text wraps rather than spanning a wide terminal

std::vector<int> ButtonIdsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {IDOK, IDCANCEL};
    case MB_YESNOCANCEL:
      return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
      return {IDYES, IDNO};
    default:
      return {IDOK};
  }
}

// The buttons in the language of the string table; "&" marks a button's key.
std::vector<MessageBoxPopup::Button> ButtonsOf(UINT type) {
  std::vector<MessageBoxPopup::Button> buttons;
  for (const int id : ButtonIdsOf(type)) {
    PrefixedText word = StripPrefix(BoxButtonWord(id));
    buttons.push_back({std::move(word.text), id, word.mnemonic, word.mnemonicGlyph});
  }
  return buttons;
}

}  // namespace

MessageBoxPopup::MessageBoxPopup(std::string text, std::string caption, UINT type)
    : m_text(std::move(text)), m_caption(std::move(caption)), m_buttons(ButtonsOf(type)) {}

std::optional<int> MessageBoxPopup::OnKey(Key key, char32_t character) {
  const int count = static_cast<int>(m_buttons.size());
  switch (key) {
    case Key::Tab:
    case Key::Right:
    case Key::Down:
      m_focused = (m_focused + 1) % count;
      return std::nullopt;
    case Key::BackTab:
    case Key::Left:
    case Key::Up:
      m_focused = (m_focused + count - 1) % count;
      return std::nullopt;
    case Key::Enter:
    case Key::Space:
      return m_buttons[static_cast<std::size_t>(m_focused)].result;
    case Key::Escape:
      for (const Button& button : m_buttons) {
        if (button.result == IDCANCEL) return IDCANCEL;
      }
      if (count == 1) return m_buttons.front().result;
      return std::nullopt;  // a Yes/No box must be answered
    case Key::Character:
      for (const Button& button : m_buttons) {
        if (button.mnemonic != 0 && button.mnemonic == MnemonicKey(character)) return button.result;
      }
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<int> MessageBoxPopup::OnClick(int index) const {
  if (index < 0 || index >= static_cast<int>(m_buttons.size())) return std::nullopt;
  return m_buttons[static_cast<std::size_t>(index)].result;
}

int MessageBoxPopup::ButtonRowCells() const {
  int cells = 0;
  for (const Button& button : m_buttons) cells += CellsOf(Bracketed(button.label)) + kButtonGap;
  return cells - kButtonGap;
}

CellSize MessageBoxPopup::MinimumScreen() const { return {ButtonRowCells() + 4, 6}; }

CellPoint MessageBoxPopup::Paint(Canvas& canvas, std::vector<HitArea>& hits) const {
  const CellSize screen = canvas.Size();
  // The frame and a blank column on each side take four cells across; the
  // frame, a blank row above and below the text and the buttons take five rows.
  const int textRoom = std::max(1, std::min(kWidestText, screen.width - 4));
  std::vector<std::string> lines = WrapToCells(m_text, textRoom);
  const int shownLines = std::clamp(static_cast<int>(lines.size()), 0, std::max(0, screen.height - 5));
  lines.resize(static_cast<std::size_t>(shownLines));

  int textCells = 0;
  for (const std::string& line : lines) textCells = std::max(textCells, CellsOf(line));
  const int inner = std::max({textCells, ButtonRowCells(), std::min(CellsOf(m_caption) + 2, textRoom)});
  const CellRect box = CentredBox({std::min(inner + 4, screen.width), shownLines + 5}, screen);

  canvas.Clear(box);
  canvas.Frame(box, Tone::Strong, LineStyle::Double);
  Canvas::Clip clip(canvas, box);
  if (!m_caption.empty()) {
    canvas.Text(box.top, box.left + 2, BorderTitle(m_caption, box.width - 4), box.Right() - 2, Tone::Strong);
  }
  for (int k = 0; k < shownLines; ++k) {
    canvas.Text(box.top + 2 + k, box.left + 2, lines[static_cast<std::size_t>(k)], box.Right() - 2, Tone::Plain);
  }
  const int buttonRow = box.Bottom() - 2;
  int column = box.left + (box.width - ButtonRowCells()) / 2;
  CellPoint caret{buttonRow, column};
  for (int index = 0; index < static_cast<int>(m_buttons.size()); ++index) {
    const Button& button = m_buttons[static_cast<std::size_t>(index)];
    const std::string label = Bracketed(button.label);
    const int cells = CellsOf(label);
    const Tone tone = index == m_focused ? Tone::Highlight : Tone::Plain;
    if (index == m_focused) caret.column = std::min(column + 2, box.Right() - 2);  // after "[ "
    // "[ " comes before the label's glyphs.
    canvas.Text(buttonRow, column, label, box.Right() - 1, tone,
                button.mnemonicGlyph < 0 ? -1 : button.mnemonicGlyph + 2);
    hits.push_back({HitArea::What::BoxButton, {column, buttonRow, cells, 1}, nullptr, index});
    column += cells + kButtonGap;
  }
  return caret;
}

}  // namespace framework::tui
