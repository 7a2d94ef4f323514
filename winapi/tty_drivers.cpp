#include "tty_drivers.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <sstream>
#include <string>

namespace winapi {
namespace {

constexpr char kTtyDriverTable[] = "/proc/tty/drivers";

struct MinorRange {
  unsigned first = 0;
  unsigned last = 0;
};

// "64" or "0-1048575".
bool ParseMinorRange(const std::string& text, MinorRange& range) {
  std::istringstream in(text);
  if (!(in >> range.first)) return false;
  range.last = range.first;
  char dash = 0;
  if (in >> dash) return dash == '-' && static_cast<bool>(in >> range.last);
  return true;
}

bool IsSerialDriverType(const std::string& type) { return type == "serial" || type == "pty:slave"; }

// The table's text; read with a close-on-exec descriptor like every other.
std::string ReadDriverTable() {
  std::string text;
  const int fd = open(kTtyDriverTable, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  ssize_t count = 0;
  while ((count = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(count));
  close(fd);
  return text;
}

}  // namespace

bool IsSerialTerminalDevice(dev_t rdev) {
  std::istringstream table(ReadDriverTable());
  std::string line;
  while (std::getline(table, line)) {
    // driver name, default node, major, minor range, type
    std::istringstream fields(line);
    std::string driver, node, minors, type;
    unsigned majorNumber = 0;
    MinorRange range;
    if (!(fields >> driver >> node >> majorNumber >> minors >> type)) continue;
    if (!IsSerialDriverType(type) || !ParseMinorRange(minors, range)) continue;
    if (major(rdev) == majorNumber && minor(rdev) >= range.first && minor(rdev) <= range.last) return true;
  }
  return false;
}

}  // namespace winapi
