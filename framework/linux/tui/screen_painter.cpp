#include "framework/linux/tui/screen_painter.h"

#include <algorithm>

#include "framework/linux/tui/dialog_painter.h"
#include "framework/linux/tui/text_cells.h"

namespace framework::tui {
namespace {

void PaintBusyLine(Canvas& canvas, const ScreenState& state) {
  const CellSize screen = canvas.Size();
  // Over the bottom border of the innermost dialog, or mid-screen before any shows.
  int row = screen.height / 2;
  CellRect band{0, row, screen.width, 1};
  if (!state.dialogs.empty()) {
    const CellRect box = DialogBoxOnScreen(*state.dialogs.back(), screen);
    band = {box.left + 1, box.Bottom() - 1, box.width - 2, 1};
  }
  const std::string text = CutToCells(kBusyText, band.width);
  const int column = band.left + std::max(0, (band.width - CellsOf(text)) / 2);
  canvas.Text(band.top, column, text, band.Right(), Tone::Highlight);
}

}  // namespace

CellSize NeededScreen(const ScreenState& state, const MessageBoxPopup* box) {
  CellSize needed{1, 1};
  for (HWND dialog : state.dialogs) {
    const CellSize size = DialogBoxCells(*dialog);
    needed = {std::max(needed.width, size.width), std::max(needed.height, size.height)};
  }
  if (box != nullptr) {
    const CellSize size = box->MinimumScreen();
    needed = {std::max(needed.width, size.width), std::max(needed.height, size.height)};
  }
  return needed;
}

std::string TooSmallLine(CellSize needed, CellSize screen) {
  return "Please enlarge the terminal to at least " + std::to_string(needed.width) + " x " +
         std::to_string(needed.height) + " characters (now " + std::to_string(screen.width) + " x " +
         std::to_string(screen.height) + ").";
}

PaintedScreen PaintScreen(ScreenState& state, const MessageBoxPopup* box, CellSize screen) {
  PaintedScreen painted{Canvas(screen.width, screen.height), std::nullopt};
  state.hits.clear();
  const CellSize needed = NeededScreen(state, box);
  if (screen.width < needed.width || screen.height < needed.height) {
    painted.canvas.Text(0, 0, TooSmallLine(needed, screen), screen.width, Tone::Strong);
    return painted;
  }
  PaintContext context{painted.canvas, state, std::nullopt};
  const bool popupOpen = box != nullptr || state.menu.has_value();
  for (HWND dialog : state.dialogs) {
    const bool active = dialog == state.dialogs.back() && dialog->enabled && !popupOpen;
    PaintDialog(context, *dialog, screen, active);
  }
  painted.caret = context.caret;
  if (state.busy) PaintBusyLine(painted.canvas, state);
  // The cursor goes where the person works: the menu's chosen entry, the
  // box's focused button.
  if (state.menu) {
    const CellRect dialogBox = DialogBoxOnScreen(*state.menu->Dialog(), screen);
    painted.caret = state.menu->Paint(painted.canvas, state.menu->Place(dialogBox, screen), state.hits);
  }
  if (box != nullptr) painted.caret = box->Paint(painted.canvas, state.hits);
  return painted;
}

}  // namespace framework::tui
