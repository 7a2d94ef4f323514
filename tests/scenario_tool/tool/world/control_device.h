// The driver's control device, dosdevices/tavrin. While the driver runs it is
// a FIFO that this tool keeps open for reading and drains, recording every
// write. A FIFO carries no write boundaries, so the bytes of one drain are cut
// into pieces of the apply command's length (3 bytes), any shorter rest being
// one more piece: the tool drains whenever the program hands control back (at
// every idle and every message box), and the program writes only whole
// commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/scenario_tool/script/directive.h"
#include "tests/scenario_tool/tool/world/held_terminal.h"
#include "winapi/unique_fd.h"

namespace scenario {

class ControlDevice {
 public:
  // Starts with the driver running.
  explicit ControlDevice(std::string entryPath);

  // running: the FIFO, read by this tool; busy: a link to a pseudo-terminal
  // that this tool holds exclusively (a FIFO cannot refuse an open); absent:
  // no entry; rejects-writes: a link to /dev/full, which opens and fails every
  // write.
  void Set(DriverState state);

  // The writes that arrived since the previous drain, also added to Writes().
  std::vector<Bytes> Drain();
  const std::vector<Bytes>& Writes() const { return m_writes; }

 private:
  void Listen();
  void Hold();
  void Remove();

  std::string m_path;
  winapi::UniqueFd m_reader;
  std::optional<LinkedTerminal> m_busyTerminal;
  std::vector<Bytes> m_writes;
};

}  // namespace scenario
