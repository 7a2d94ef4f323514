#include "winapi/tty_drivers.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <mutex>
#include <sstream>
#include <string>
#include <vector>

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

struct SerialRange {
  unsigned majorNumber = 0;
  MinorRange minors;
};

// The serial and pty-slave drivers of the table.
std::vector<SerialRange> ReadSerialRanges() {
  std::vector<SerialRange> ranges;
  std::istringstream table(ReadDriverTable());
  std::string line;
  while (std::getline(table, line)) {
    // driver name, default node, major, minor range, type
    std::istringstream fields(line);
    std::string driver, node, minors, type;
    SerialRange range;
    if (!(fields >> driver >> node >> range.majorNumber >> minors >> type)) continue;
    if (!IsSerialDriverType(type) || !ParseMinorRange(minors, range.minors)) continue;
    ranges.push_back(range);
  }
  return ranges;
}

bool IsInRanges(const std::vector<SerialRange>& ranges, dev_t rdev) {
  for (const SerialRange& range : ranges) {
    if (major(rdev) == range.majorNumber && minor(rdev) >= range.minors.first && minor(rdev) <= range.minors.last) {
      return true;
    }
  }
  return false;
}

}  // namespace

// The table is read once and again only for a device it did not list (a
// driver loaded since), not once per probe: start-up probes 225 names.
bool IsSerialTerminalDevice(dev_t rdev) {
  static std::mutex mutex;
  static std::vector<SerialRange> known;
  std::lock_guard lock(mutex);
  if (IsInRanges(known, rdev)) return true;
  known = ReadSerialRanges();
  return IsInRanges(known, rdev);
}

}  // namespace winapi
