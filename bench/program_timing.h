// Times of the program's own code: from the application's start to its
// dialog waiting for the person, and one Apply from the click to the dialog
// waiting again.
#pragma once

#include <chrono>

#include "bench/headless_program.h"

namespace bench {

using Duration = std::chrono::nanoseconds;

struct ProgramRun {
  Duration startUp{};
  Duration apply{};
  int portLines = -1;   // the port list when the dialog first waited
  int watchLines = -1;  // the watch list when the dialog first waited
};

// Starts the program, clicks Apply once the dialog waits, and ends it after
// the Apply. Lines stay -1 when the dialog never waited.
ProgramRun StartAndApply(HeadlessProgram& program);

}  // namespace bench
