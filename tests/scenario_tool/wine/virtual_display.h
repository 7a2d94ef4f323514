// A virtual X display (Xvfb) of the run's own, for the program's windows.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace scenario {

class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // ":N", for DISPLAY.
  const std::string& Name() const { return m_name; }

 private:
  pid_t m_pid = -1;
  std::string m_name;
};

// Runs `command` (found on PATH) with `environment`, its output discarded,
// and waits for it; its exit status, or -1 when it could not run.
int RunAndWait(const std::vector<std::string>& command, const std::vector<std::string>& environment);

}  // namespace scenario
