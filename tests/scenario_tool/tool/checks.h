// The checks of a scenario: each compares what the program, its dialog or the
// world holds now with what the line expects, and reports a failure with the
// line, what was expected and what was found.
#pragma once

#include "tests/scenario_tool/script/directive.h"
#include "tests/scenario_tool/tool/program_record.h"
#include "tests/scenario_tool/tool/scenario_platform.h"
#include "tests/scenario_tool/tool/transcript.h"

namespace scenario {

struct CheckContext {
  ProgramRecord& record;
  const ScenarioPlatform& platform;
  Transcript& transcript;
};

void EvaluateCheck(const Check& check, int line, CheckContext& context);

}  // namespace scenario
