// Names the message boxes the program shows by the string they show.
#pragma once

#include <string>

namespace scenario {

// The id (101 to 118) of the string whose text, in the language in use, is
// exactly `text`; 0 when none is.
int StringIdOfText(const std::string& text);

// "6" as "yes", and so on for the answers a scenario can give.
std::string AnswerName(int answer);

}  // namespace scenario
