#include "tools/tavrind/port_holder.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "base/ascii.h"
#include "winapi/device_open.h"

namespace tavrind {
namespace {}  // namespace

PortHolder::PortHolder(Log& log, std::string dosdevicesDirectory)
    : m_log(log), m_dosdevices(std::move(dosdevicesDirectory)) {}

PortHolder::~PortHolder() { ReleaseAll(); }

void PortHolder::HoldExactly(const std::vector<std::string>& portNames) {
  m_waiting.clear();
  for (auto held = m_held.begin(); held != m_held.end();) {
    const bool stillWanted = std::find(portNames.begin(), portNames.end(), held->first) != portNames.end();
    if (stillWanted) {
      ++held;
    } else {
      auto next = std::next(held);
      Release(held);
      held = next;
    }
  }
  for (const std::string& name : portNames) {
    if (!m_held.contains(name) && Hold(name, true) == Outcome::kInUse) m_waiting.insert(name);
  }
}

void PortHolder::ReleaseAll() {
  m_waiting.clear();
  while (!m_held.empty()) Release(m_held.begin());
}

void PortHolder::HoldWaitingPorts() {
  for (auto name = m_waiting.begin(); name != m_waiting.end();)
    name = Hold(*name, false) == Outcome::kInUse ? std::next(name) : m_waiting.erase(name);
}

PortHolder::Outcome PortHolder::Hold(const std::string& portName, bool reportInUse) {
  const std::string entry = m_dosdevices + "/" + base::LowerAscii(portName);
  // The same checks as any program's open: only a free serial terminal.
  winapi::OpenedDevice port = winapi::OpenSerialPort(entry, GENERIC_READ | GENERIC_WRITE);
  struct stat existing {};
  if (!port.fd.Valid() && lstat(entry.c_str(), &existing) != 0 && errno == ENOENT) {
    // A watched port that is not on the machine, as an unplugged adapter.
    m_log.Line(portName + " is not present (no " + entry + "); held once it is, at the next apply or restart");
    return Outcome::kUnavailable;
  }
  if (!port.fd.Valid() && port.error == ERROR_SHARING_VIOLATION) {
    if (reportInUse)
      m_log.Line("cannot hold " + portName + " (" + entry + "): in use by another program, error " +
                 std::to_string(port.error) + "; held once it is free");
    return Outcome::kInUse;
  }
  if (!port.fd.Valid()) {
    m_log.Line("cannot hold " + portName + " (" + entry + "): no free serial port there, error " +
               std::to_string(port.error));
    return Outcome::kUnavailable;
  }
  if (ioctl(port.fd.Get(), TIOCEXCL) != 0) m_log.Line("holding " + portName + " without exclusive mode");
  m_held.emplace(portName, port.fd.Release());
  m_log.Line("holding " + portName + " (" + entry + ")");
  return Outcome::kHeld;
}

void PortHolder::Release(std::map<std::string, int>::iterator held) {
  ioctl(held->second, TIOCNXCL);
  close(held->second);
  m_log.Line("released " + held->first);
  m_held.erase(held);
}

}  // namespace tavrind
