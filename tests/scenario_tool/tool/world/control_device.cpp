#include "tests/scenario_tool/tool/world/control_device.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tests/scenario_tool/tool/world/world_error.h"

namespace scenario {
namespace {

constexpr std::size_t kCommandLength = 3;

}  // namespace

ControlDevice::ControlDevice(std::string entryPath) : m_path(std::move(entryPath)) { Set(DriverState::Running); }

void ControlDevice::Listen() {
  if (mkfifo(m_path.c_str(), 0600) != 0) ThrowSystemError("cannot create the FIFO " + m_path);
  m_reader = winapi::UniqueFd(open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!m_reader.Valid()) ThrowSystemError("cannot open the FIFO " + m_path);
}

void ControlDevice::Hold() {
  m_busyTerminal.emplace(m_path);
  m_busyTerminal->SetHeld(true);
}

void ControlDevice::Remove() {
  m_reader.Close();
  m_busyTerminal.reset();
  if (unlink(m_path.c_str()) != 0 && errno != ENOENT) ThrowSystemError("cannot remove " + m_path);
}

void ControlDevice::Set(DriverState state) {
  Drain();
  Remove();
  if (state == DriverState::Running) {
    Listen();
  } else if (state == DriverState::Busy) {
    Hold();
  } else if (state == DriverState::RejectsWrites) {
    if (symlink("/dev/full", m_path.c_str()) != 0) ThrowSystemError("cannot link " + m_path + " to /dev/full");
  }
}

std::vector<Bytes> ControlDevice::Drain() {
  Bytes received;
  if (m_reader.Valid()) {
    std::uint8_t buffer[4096];
    for (;;) {
      const ssize_t count = read(m_reader.Get(), buffer, sizeof buffer);
      if (count > 0) {
        received.insert(received.end(), buffer, buffer + count);
      } else if (count < 0 && errno == EINTR) {
        continue;
      } else {
        break;  // no writer (0) or nothing more for now (EAGAIN)
      }
    }
  }
  std::vector<Bytes> writes;
  for (std::size_t at = 0; at < received.size(); at += kCommandLength) {
    const std::size_t end = std::min(received.size(), at + kCommandLength);
    writes.emplace_back(received.begin() + static_cast<std::ptrdiff_t>(at),
                        received.begin() + static_cast<std::ptrdiff_t>(end));
  }
  m_writes.insert(m_writes.end(), writes.begin(), writes.end());
  return writes;
}

}  // namespace scenario
