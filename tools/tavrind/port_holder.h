// The serial ports the driver holds: each open, with an exclusive flock and
// the terminal in exclusive mode, so no other program can open it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/tavrind/log.h"

namespace tavrind {

class PortHolder {
 public:
  PortHolder(Log& log, std::string dosdevicesDirectory);
  ~PortHolder();
  PortHolder(const PortHolder&) = delete;
  PortHolder& operator=(const PortHolder&) = delete;

  // Releases every held port not named, and holds every named port not held
  // yet. A port that cannot be held (missing, not a serial port) is logged
  // and tried again at the next call; one in use by another program is
  // waited for (see HoldWaitingPorts).
  void HoldExactly(const std::vector<std::string>& portNames);
  void ReleaseAll();

  // Watched ports that another program had open when they were to be held.
  bool IsWaiting() const { return !m_waiting.empty(); }
  // Tries each waited-for port again, quietly until one can be held: another
  // program's open may last only a moment, and a driver takes its port as
  // soon as it is free.
  void HoldWaitingPorts();

 private:
  enum class Outcome { kHeld, kInUse, kUnavailable };
  Outcome Hold(const std::string& portName, bool reportInUse);
  void Release(std::map<std::string, int>::iterator held);

  Log& m_log;
  std::string m_dosdevices;
  std::map<std::string, int> m_held;  // port name to descriptor
  std::set<std::string> m_waiting;
};

}  // namespace tavrind
