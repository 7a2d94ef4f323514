#include "tests/scenario_tool/tool/box_identity.h"

#include "framework/linux/resources.h"

namespace scenario {

int StringIdOfText(const std::string& text) {
  for (UINT id = 101; id <= 118; ++id) {
    std::string candidate;
    if (framework::LoadResourceString(id, candidate) && candidate == text) return static_cast<int>(id);
  }
  return 0;
}

std::string AnswerName(int answer) {
  switch (answer) {
    case IDOK:
      return "ok";
    case IDCANCEL:
      return "cancel";
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    default:
      return std::to_string(answer);
  }
}

}  // namespace scenario
