// The person's actions on the dialog on top, as real input (the mouse and the
// keyboard, through the platform's input queue) or as the messages the
// platform itself sends for them (a click notification, a system-menu
// command). Each returns once the program waits for the person again, with a
// problem when the person could not have done it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scenario::agent {

// words: the request after "act", e.g. {"choose", "1006", "1"}.
std::optional<std::string> Act(const std::vector<std::string>& words);

}  // namespace scenario::agent
