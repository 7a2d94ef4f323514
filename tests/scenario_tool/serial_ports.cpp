#include "serial_ports.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include "world_error.h"

namespace scenario {

SerialPorts::Port SerialPorts::Create(int number) const {
  Port port;
  port.master = winapi::UniqueFd(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!port.master.Valid()) ThrowSystemError("cannot open a pseudo-terminal");
  if (grantpt(port.master.Get()) != 0 || unlockpt(port.master.Get()) != 0) {
    ThrowSystemError("cannot unlock a pseudo-terminal");
  }
  char name[128];
  if (ptsname_r(port.master.Get(), name, sizeof name) != 0) ThrowSystemError("cannot name a pseudo-terminal");
  port.slavePath = name;
  const std::string link = m_deviceDirectory + "/com" + std::to_string(number);
  if (symlink(port.slavePath.c_str(), link.c_str()) != 0) ThrowSystemError("cannot link " + link);
  return port;
}

void SerialPorts::Set(int number, bool busy) {
  auto found = m_ports.find(number);
  if (found == m_ports.end()) found = m_ports.emplace(number, Create(number)).first;
  Port& port = found->second;
  if (!busy) {
    port.holder.Close();  // closing the open releases its lock
    return;
  }
  if (port.holder.Valid()) return;
  winapi::UniqueFd holder(open(port.slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!holder.Valid()) ThrowSystemError("cannot open " + port.slavePath + " to hold it");
  if (flock(holder.Get(), LOCK_EX | LOCK_NB) != 0) ThrowSystemError("cannot lock " + port.slavePath);
  port.holder = std::move(holder);
}

}  // namespace scenario
