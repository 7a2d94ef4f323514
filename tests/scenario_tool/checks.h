// The checks of a scenario: each compares what the program, its dialog or the
// world holds now with what the line expects, and reports a failure with the
// line, what was expected and what was found.
#pragma once

#include "directive.h"
#include "headless_backend.h"
#include "program_record.h"
#include "transcript.h"
#include "world.h"

namespace scenario {

struct CheckContext {
  ProgramRecord& record;
  const framework::HeadlessBackend& backend;
  const World& world;
  Transcript& transcript;
};

void EvaluateCheck(const Check& check, int line, CheckContext& context);

}  // namespace scenario
