// A real pseudo-terminal pair: the test keeps the master, and the slave side
// stands in for a serial port.
#pragma once

#include <string>

#include "winapi/unique_fd.h"

namespace test_support {

class PseudoTerminal {
 public:
  PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& slavePath() const { return m_slavePath; }
  // The slave's base name, as UUCP lock files name it ("LCK..<base name>").
  std::string slaveBaseName() const;
  // Opens the slave as another program would (read-write, no controlling
  // terminal, not blocking).
  winapi::UniqueFd OpenSlave() const;

 private:
  winapi::UniqueFd m_master;
  std::string m_slavePath;
};

}  // namespace test_support
