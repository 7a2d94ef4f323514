// The person's actions, done through the framework's input functions on the
// dialog on top, the way a person would do them there.
#pragma once

#include <optional>
#include <string>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

// Does the action. When the person could not have done it (no dialog, no such
// control or line, a control that takes no input), nothing is done and the
// reason is returned.
std::optional<std::string> PerformAction(const Action& action);

}  // namespace scenario
