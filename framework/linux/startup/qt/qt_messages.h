// Where the toolkit's own messages go while the program runs.
#pragma once

#include <QtGlobal>

namespace framework {

// While it lives, Qt's debug, information and warning messages go to the
// debugger output (the system log at debug priority under the program's
// name), as on the program's own platform, where the system's windows write
// nothing to a terminal: started through pkexec or from a shell, a person sees
// the program's own words only. Critical and fatal messages, which explain why
// the program cannot go on, still go to standard error.
class QtMessagesToDebugOutput {
 public:
  QtMessagesToDebugOutput();
  ~QtMessagesToDebugOutput();
  QtMessagesToDebugOutput(const QtMessagesToDebugOutput&) = delete;
  QtMessagesToDebugOutput& operator=(const QtMessagesToDebugOutput&) = delete;

 private:
  QtMessageHandler m_previous;
};

}  // namespace framework
