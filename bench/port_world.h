// A machine prefix for the benchmark and the leak tests: serial ports COM1 to
// COMn as pseudo-terminals linked into dosdevices/, the driver's settings with
// a watched word stored for COM1 to COMw, and the driver's control device as a
// FIFO whose reading end this object holds and drains. The words are stored
// as four-byte binary values, which read as the words; Apply stores them as
// REG_DWORD, so every Apply changes every value and the store must really
// rewrite the hive.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/pseudo_terminal.h"
#include "tests/support/temp_prefix.h"
#include "winapi/unique_fd.h"

namespace bench {

class PortWorld {
 public:
  // The word stored for each watched port: HID digitizer, 9600 baud, PnP polling.
  static constexpr unsigned kWatchedWord = 0x27;

  // Makes the prefix the platform's prefix while the world lives.
  PortWorld(int ports, int watchedWords);
  PortWorld(const PortWorld&) = delete;
  PortWorld& operator=(const PortWorld&) = delete;

  const std::string& Prefix() const { return m_prefix.path(); }
  std::string HivePath() const { return m_prefix.HivePath(); }
  std::string PortEntry(int number) const { return m_prefix.Entry("com" + std::to_string(number)); }
  int Ports() const { return static_cast<int>(m_terminals.size()); }

  // Puts the stored settings back to how the world began.
  void ResetHive() const;
  // What is wrong with the settings after an Apply: every name COM1..COM225
  // must hold a REG_DWORD, the watched word for COM1 to COMw and 0 for the
  // others. Empty when nothing is.
  std::string CheckStoredWords() const;
  // Reads everything written to the control device since the last drain.
  std::string DrainControlDevice() const;

 private:
  test_support::TempPrefix m_prefix;
  std::vector<std::unique_ptr<test_support::PseudoTerminal>> m_terminals;
  int m_watchedWords;
  winapi::UniqueFd m_controlReader;
};

}  // namespace bench
