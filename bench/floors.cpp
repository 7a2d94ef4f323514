#include "bench/floors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include "model/port_setting.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

bool ProbeExclusively(const std::string& path) {
  struct stat node {};
  if (stat(path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode)) return false;  // nothing else is opened
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int exclusiveMode = 0;
  const bool free = isatty(fd) && flock(fd, LOCK_EX | LOCK_NB) == 0 && ioctl(fd, TIOCGEXCL, &exclusiveMode) == 0 &&
                    exclusiveMode == 0;
  close(fd);
  return free;
}

std::size_t ReadWhole(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot read " + path);
  struct stat status {};
  fstat(fd, &status);
  std::string text(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t filled = 0;
  while (filled < text.size()) {
    const ssize_t count = read(fd, text.data() + filled, text.size() - filled);
    if (count <= 0) break;
    filled += static_cast<std::size_t>(count);
  }
  close(fd);
  return filled;
}

void WriteWhole(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(fd, text.data() + written, text.size() - written);
    if (count <= 0) throw std::runtime_error("cannot write the floor's file");
    written += static_cast<std::size_t>(count);
  }
}

}  // namespace

Duration StartUpFloor(const PortWorld& world) {
  const Clock::time_point start = Clock::now();
  int free = 0;
  for (int number = 1; number <= model::kPortCount; ++number) {
    free += ProbeExclusively(world.PortEntry(number)) ? 1 : 0;
  }
  ReadWhole(world.HivePath());
  const Duration elapsed = Clock::now() - start;
  if (free != world.Ports())
    throw std::runtime_error("the floor's probes found " + std::to_string(free) + " free ports");
  return elapsed;
}

Duration ApplyFloor(const PortWorld& world, std::size_t size) {
  const std::string target = world.Prefix() + "/floor.reg";
  const std::string temporary = target + ".tmp";
  const std::string text(size, 'x');
  const Clock::time_point start = Clock::now();
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot create " + temporary);
  WriteWhole(fd, text);
  const bool flushed = fsync(fd) == 0;
  close(fd);
  if (!flushed || rename(temporary.c_str(), target.c_str()) != 0) throw std::runtime_error("cannot replace " + target);
  const int folder = open(world.Prefix().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0 || fsync(folder) != 0) throw std::runtime_error("cannot flush " + world.Prefix());
  close(folder);
  const Duration elapsed = Clock::now() - start;
  unlink(target.c_str());
  return elapsed;
}

}  // namespace bench
