#include "tests/app/process_census.h"

#include "tests/support/process_probes.h"
#include "winapi/stand_in.h"

namespace robustness {

int ChildProcessCount() { return static_cast<int>(test_support::Children().size()); }

std::string StandInHandles() {
  return "keys " + std::to_string(winapi::OpenKeyCount()) + ", files " + std::to_string(winapi::OpenFileHandleCount()) +
         ", processes " + std::to_string(winapi::OpenProcessHandleCount()) + ", unreaped " +
         std::to_string(winapi::UnreapedChildCount());
}

}  // namespace robustness
