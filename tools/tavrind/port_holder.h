// The serial ports the driver holds: each open, with an exclusive flock and
// the terminal in exclusive mode, so no other program can open it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "log.h"

namespace tavrind {

class PortHolder {
 public:
  PortHolder(Log& log, std::string dosdevicesDirectory);
  ~PortHolder();
  PortHolder(const PortHolder&) = delete;
  PortHolder& operator=(const PortHolder&) = delete;

  // Releases every held port not named, and holds every named port not held
  // yet. A port that cannot be held (missing, not a serial port, in use) is
  // logged and tried again at the next call.
  void HoldExactly(const std::vector<std::string>& portNames);
  void ReleaseAll();

 private:
  void Hold(const std::string& portName);
  void Release(std::map<std::string, int>::iterator held);

  Log& m_log;
  std::string m_dosdevices;
  std::map<std::string, int> m_held;  // port name to descriptor
};

}  // namespace tavrind
