#include "framework/linux/tui/system_menu_popup.h"

#include <algorithm>

#include "framework/linux/tui/screen_state.h"

namespace framework::tui {

std::vector<MenuEntry> SystemMenuEntries(const HWND__& dialog) {
  std::vector<MenuEntry> entries;
  entries.push_back({false, SC_CLOSE, StripPrefix("&Close"), true});
  for (const MenuItem& item : dialog.Dialog().systemMenu) {
    if ((item.flags & MF_SEPARATOR) != 0) {
      entries.push_back({true, 0, {}, false});
    } else {
      entries.push_back({false, static_cast<UINT>(item.id), StripPrefix(item.text), (item.flags & MF_GRAYED) == 0});
    }
  }
  return entries;
}

SystemMenuPopup::SystemMenuPopup(HWND dialog, std::vector<MenuEntry> entries)
    : m_dialog(dialog), m_entries(std::move(entries)) {
  Step(+1, -1);
}

bool SystemMenuPopup::Choosable(int index) const {
  return index >= 0 && index < static_cast<int>(m_entries.size()) &&
         !m_entries[static_cast<std::size_t>(index)].separator && m_entries[static_cast<std::size_t>(index)].enabled;
}

// Moves the highlight from `from` to the next choosable entry in `direction`,
// wrapping around; stays where it is when there is none.
void SystemMenuPopup::Step(int direction, int from) {
  const int count = static_cast<int>(m_entries.size());
  for (int tried = 1; tried <= count; ++tried) {
    const int index = ((from + direction * tried) % count + count) % count;
    if (Choosable(index)) {
      m_highlighted = index;
      return;
    }
  }
}

SystemMenuPopup::Outcome SystemMenuPopup::Choose(int index) const {
  if (!Choosable(index)) return {};
  return {true, m_entries[static_cast<std::size_t>(index)].command};
}

SystemMenuPopup::Outcome SystemMenuPopup::OnKey(Key key, char32_t character) {
  switch (key) {
    case Key::Up:
      Step(-1, m_highlighted);
      return {};
    case Key::Down:
      Step(+1, m_highlighted);
      return {};
    case Key::Home:
      Step(+1, -1);
      return {};
    case Key::End:
      Step(-1, static_cast<int>(m_entries.size()));
      return {};
    case Key::Enter:
    case Key::Space:
      return Choose(m_highlighted);
    case Key::Escape:
    case Key::F10:
    case Key::AltSpace:
      return {true, std::nullopt};
    case Key::Character:
      for (int index = 0; index < static_cast<int>(m_entries.size()); ++index) {
        const MenuEntry& entry = m_entries[static_cast<std::size_t>(index)];
        if (Choosable(index) && entry.label.mnemonic != 0 && entry.label.mnemonic == MnemonicKey(character)) {
          return Choose(index);
        }
      }
      return {};
    default:
      return {};
  }
}

SystemMenuPopup::Outcome SystemMenuPopup::OnClick(int index) {
  if (index < 0) return {true, std::nullopt};
  return Choose(index);
}

CellRect SystemMenuPopup::Place(const CellRect& dialogBox, CellSize screen) const {
  int widest = 0;
  for (const MenuEntry& entry : m_entries) widest = std::max(widest, CellsOf(entry.label.text));
  const int width = std::min(widest + 4, screen.width);
  const int height = std::min(static_cast<int>(m_entries.size()) + 2, screen.height);
  const int left = std::clamp(dialogBox.left, 0, std::max(0, screen.width - width));
  const int top = std::clamp(dialogBox.top + 1, 0, std::max(0, screen.height - height));
  return {left, top, width, height};
}

CellPoint SystemMenuPopup::Paint(Canvas& canvas, const CellRect& place, std::vector<HitArea>& hits) const {
  canvas.Clear(place);
  canvas.Frame(place, Tone::Strong);
  hits.push_back({HitArea::What::Menu, place, nullptr, -1});
  Canvas::Clip clip(canvas, place);
  CellPoint caret{place.top, place.left};
  for (int index = 0; index < static_cast<int>(m_entries.size()); ++index) {
    const MenuEntry& entry = m_entries[static_cast<std::size_t>(index)];
    const int row = place.top + 1 + index;
    if (entry.separator) {
      canvas.Rule(row, place.left, place.Right(), Tone::Strong);
      continue;
    }
    const CellRect line{place.left + 1, row, place.width - 2, 1};
    const Tone tone = !entry.enabled ? Tone::Disabled : index == m_highlighted ? Tone::Highlight : Tone::Plain;
    canvas.Clear(line, tone);
    canvas.Text(row, line.left + 1, entry.label.text, line.Right() - 1, tone, entry.label.mnemonicGlyph);
    hits.push_back({HitArea::What::MenuItem, line, nullptr, index});
    if (index == m_highlighted) caret = {row, line.left + 1};
  }
  return caret;
}

}  // namespace framework::tui
