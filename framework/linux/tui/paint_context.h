// What painting a dialog needs besides the canvas: the scroll positions of
// lists (kept between paints), where the person can click, and where the
// text cursor goes.
#pragma once

#include <optional>
#include <vector>

#include "framework/linux/tui/canvas.h"
#include "framework/linux/tui/screen_state.h"

namespace framework::tui {

struct PaintContext {
  Canvas& canvas;
  ScreenState& state;
  std::optional<CellPoint> caret;  // where the control with the focus puts the terminal's cursor
};

}  // namespace framework::tui
