#include "bench/program_timing.h"

#include "framework/linux/input.h"
#include "framework/linux/window.h"
#include "res/resource.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

int LinesOf(HWND dialog, int controlId) {
  const HWND list = dialog->Child(controlId);
  return list == nullptr ? -1 : static_cast<int>(list->List().items.size());
}

}  // namespace

ProgramRun StartAndApply(HeadlessProgram& program) {
  ProgramRun run;
  int idles = 0;
  Clock::time_point mark = Clock::now();
  const Clock::time_point start = mark;
  program.Run([&](HWND dialog) {
    const Clock::time_point now = Clock::now();
    if (dialog == nullptr) return false;
    if (++idles == 1) {
      run.startUp = now - start;
      run.portLines = LinesOf(dialog, IDC_PORT_LIST);
      run.watchLines = LinesOf(dialog, IDC_WATCH_LIST);
      framework::PostClick(dialog, IDC_APPLY_BUTTON);
      mark = Clock::now();
      return true;
    }
    run.apply = now - mark;
    return false;
  });
  return run;
}

}  // namespace bench
