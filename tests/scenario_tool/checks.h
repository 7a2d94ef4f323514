// The checks of a scenario: each compares what the program, its dialog or the
// world holds now with what the line expects, and reports a failure with the
// line, what was expected and what was found.
#pragma once

#include "directive.h"
#include "program_record.h"
#include "scenario_platform.h"
#include "transcript.h"

namespace scenario {

struct CheckContext {
  ProgramRecord& record;
  const ScenarioPlatform& platform;
  Transcript& transcript;
};

void EvaluateCheck(const Check& check, int line, CheckContext& context);

}  // namespace scenario
