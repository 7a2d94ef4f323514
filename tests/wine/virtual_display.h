// A virtual X display (Xvfb) of the run's own, for the program's windows: on
// a display number Xvfb finds free, so that runs side by side never meet.
#pragma once

#include <sys/types.h>

#include <string>

namespace wine_test {

class VirtualDisplay {
 public:
  // std::runtime_error when Xvfb does not start.
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

}  // namespace wine_test
