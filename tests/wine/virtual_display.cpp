#include "tests/wine/virtual_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "tests/wine/linux_programs.h"
#include "winapi/unique_fd.h"

namespace wine_test {

VirtualDisplay::VirtualDisplay() {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
  winapi::UniqueFd reader(pipeEnds[0]);
  winapi::UniqueFd writer(pipeEnds[1]);
  // Xvfb picks a free display and writes its number to its standard output.
  m_pid = StartProcess({"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                       CurrentEnvironment(), -1, writer.Get());
  if (m_pid < 0) throw std::runtime_error("cannot start Xvfb");
  writer.Close();
  std::string number;
  for (;;) {
    pollfd readable{reader.Get(), POLLIN, 0};
    if (poll(&readable, 1, 30'000) <= 0) break;
    char c = 0;
    if (read(reader.Get(), &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  if (number.empty()) {
    kill(m_pid, SIGTERM);
    WaitForProcess(m_pid);
    throw std::runtime_error("Xvfb did not start");
  }
  m_name = ":" + number;
}

VirtualDisplay::~VirtualDisplay() {
  kill(m_pid, SIGTERM);
  WaitForProcess(m_pid);
}

}  // namespace wine_test
