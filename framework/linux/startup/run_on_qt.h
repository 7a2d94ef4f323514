// The Qt backend, which shows the dialog in a window on a display, where the
// build has it; a build without Qt shows the dialog in a terminal only.
#pragma once

namespace framework {

bool QtBuilt();

// Runs the application object on the Qt backend; returns its exit code.
int RunOnQt(int argc, char** argv);

}  // namespace framework
