#include "framework/linux/tui/screen_state.h"

#include <algorithm>

namespace framework::tui {

const HitArea* ScreenState::HitAt(int row, int column) const {
  for (auto hit = hits.rbegin(); hit != hits.rend(); ++hit) {
    if (hit->area.Contains(row, column)) return &*hit;
  }
  return nullptr;
}

void ScreenState::Forget(HWND dialog) {
  std::erase(dialogs, dialog);
  for (const auto& control : dialog->children) {
    listViews.erase(control.get());
    droppedViews.erase(control.get());
  }
  if (menu && menu->Dialog() == dialog) menu.reset();
  hits.clear();  // the next paint notes them again
}

}  // namespace framework::tui
