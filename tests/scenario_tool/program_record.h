// What the program did as the tool watched it: the life of its main dialog,
// its diagnostic lines and the last icon it drew; and how far `expect boxes`
// has read the boxes shown.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dialog_view.h"

namespace scenario {

struct ProgramRecord {
  HWND mainDialog = nullptr;  // while the main dialog runs
  bool mainStarted = false;
  bool mainEnded = false;
  INT_PTR mainResult = 0;
  std::optional<DialogView> mainLastView;  // kept as the main dialog ended
  std::vector<std::string> debugLines;
  std::optional<POINT> lastIcon;
  std::size_t boxesChecked = 0;

  // The main dialog as it is now, or as it was when it ended.
  std::optional<DialogView> MainView() const;
  // The dialog on top, or the main dialog as it was when it ended.
  std::optional<DialogView> TopView() const;
};

}  // namespace scenario
