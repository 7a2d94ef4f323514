// What the program did as the tool watched it, on whichever platform runs it:
// the life of its main dialog, its diagnostic lines, the message boxes it
// showed, the last icon it drew; and how far `expect boxes` has read the boxes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

struct ShownBox {
  std::string text;
  unsigned type;  // 0 MB_OK, 4 MB_YESNO
};

struct IconPoint {
  int x;
  int y;
};

struct ProgramRecord {
  bool mainStarted = false;
  bool mainEnded = false;
  long mainResult = 0;
  std::vector<std::string> debugLines;
  std::vector<ShownBox> boxes;
  std::optional<IconPoint> lastIcon;
  std::size_t boxesChecked = 0;
};

}  // namespace scenario
