// The platform's start of a GUI program: chooses the language from the locale
// and the backend that can show a window here, then runs the application object.
#pragma once

namespace framework {

// Returns the process's exit code. Without the rights to change the machine,
// or without any backend that can show the dialog, prints one line saying so
// and returns non-zero; argv[0] names the program in that line.
int RunWithSystemBackend(int argc, char** argv);

}  // namespace framework
