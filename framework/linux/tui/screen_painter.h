// Paints the whole terminal: the dialogs on screen (outermost first), the busy
// line while the wait cursor is up, the open system menu and message box. A
// terminal too small for the dialogs shows one line saying the size needed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/linux/tui/message_box_popup.h"
#include "framework/linux/tui/paint_context.h"

namespace framework::tui {

struct PaintedScreen {
  Canvas canvas;
  std::optional<CellPoint> caret;  // the terminal's cursor: where the focus is
};

// The smallest screen that shows every dialog on screen, and the box, whole.
CellSize NeededScreen(const ScreenState& state, const MessageBoxPopup* box);

// The line a terminal of `screen` shows when it is smaller than `needed`.
std::string TooSmallLine(CellSize needed, CellSize screen);

// The busy line shown on the bottom border of the innermost dialog.
inline constexpr std::string_view kBusyText = " Working, please wait... ";

// Paints everything; notes in state.hits where the person can click.
PaintedScreen PaintScreen(ScreenState& state, const MessageBoxPopup* box, CellSize screen);

}  // namespace framework::tui
