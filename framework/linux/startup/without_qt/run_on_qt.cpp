// A build without Qt: the dialog shows in a terminal, never in a window.
#include "framework/linux/startup/run_on_qt.h"

namespace framework {

bool QtBuilt() { return false; }

int RunOnQt(int, char**) { return 1; }  // never chosen

}  // namespace framework
