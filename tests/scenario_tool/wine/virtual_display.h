// A virtual X display (Xvfb) of the run's own, for the program's windows.
#pragma once

#include <sys/types.h>

#include <string>

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

}  // namespace scenario
