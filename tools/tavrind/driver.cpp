#include "tools/tavrind/driver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tools/tavrind/command_parser.h"
#include "tools/tavrind/hex_text.h"
#include "tools/tavrind/log.h"
#include "tools/tavrind/pid_file.h"
#include "tools/tavrind/port_holder.h"
#include "tools/tavrind/watched_ports.h"

namespace tavrind {
namespace {

// Only the driver's own user (root, for the installed service) may send it
// commands, as only administrators may open a driver's device.
constexpr mode_t kControlDeviceMode = 0600;

// How often a watched port that another program has open is tried again.
constexpr int kPortRetryMs = 50;

std::string ErrnoText() { return std::strerror(errno); }

// The control device: a FIFO opened for reading and writing, so that reads
// wait for the next writer instead of seeing end-of-file after each one.
class ControlDevice {
 public:
  explicit ControlDevice(std::string path) : m_path(std::move(path)) {}
  ~ControlDevice() {
    if (m_fd < 0) return;
    struct stat entry {};
    struct stat opened {};
    // Remove the FIFO only if it is still the one this driver made.
    if (stat(m_path.c_str(), &entry) == 0 && fstat(m_fd, &opened) == 0 && entry.st_ino == opened.st_ino &&
        entry.st_dev == opened.st_dev)
      unlink(m_path.c_str());
    close(m_fd);
  }
  ControlDevice(const ControlDevice&) = delete;
  ControlDevice& operator=(const ControlDevice&) = delete;

  // A FIFO left behind by a driver that died is replaced; anything else at
  // the path is left alone and the start fails.
  bool Create() {
    struct stat existing {};
    if (lstat(m_path.c_str(), &existing) == 0) {
      if (!S_ISFIFO(existing.st_mode)) return Fail("something other than a FIFO is in the way at " + m_path);
      unlink(m_path.c_str());
    }
    if (mkfifo(m_path.c_str(), kControlDeviceMode) != 0) return Fail("cannot create " + m_path + ": " + ErrnoText());
    chmod(m_path.c_str(), kControlDeviceMode);
    m_fd = open(m_path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) return Fail("cannot open " + m_path + ": " + ErrnoText());
    return true;
  }

  int fd() const { return m_fd; }
  const std::string& path() const { return m_path; }
  // Why Create failed.
  const std::string& failure() const { return m_failure; }

 private:
  bool Fail(std::string message) {
    m_failure = std::move(message);
    return false;
  }

  std::string m_path;
  std::string m_failure;
  int m_fd = -1;
};

// SIGTERM, SIGINT and SIGHUP, blocked and read from a descriptor, so they
// are handled in the main loop like any other event.
class SignalChannel {
 public:
  SignalChannel() {
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGTERM);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGHUP);
    sigprocmask(SIG_BLOCK, &m_signals, &m_previous);
    m_fd = signalfd(-1, &m_signals, SFD_CLOEXEC | SFD_NONBLOCK);
  }
  ~SignalChannel() {
    if (m_fd >= 0) close(m_fd);
    sigprocmask(SIG_SETMASK, &m_previous, nullptr);
  }
  SignalChannel(const SignalChannel&) = delete;
  SignalChannel& operator=(const SignalChannel&) = delete;

  int fd() const { return m_fd; }

  // The next pending signal, or 0.
  int Next() {
    signalfd_siginfo info{};
    return read(m_fd, &info, sizeof info) == static_cast<ssize_t>(sizeof info) ? static_cast<int>(info.ssi_signo) : 0;
  }

 private:
  sigset_t m_signals{};
  sigset_t m_previous{};
  int m_fd = -1;
};

class Driver {
 public:
  Driver(const std::string& prefix, const DriverRun& run)
      : m_prefix(prefix),
        m_started(run.started),
        m_log(prefix + "/tavrind.log", run.foreground),
        m_control(prefix + "/dosdevices/tavrin"),
        m_ports(m_log, prefix + "/dosdevices"),
        m_parser({[this] { Apply("apply command"); },
                  [this](std::uint8_t byte) { m_log.Line("ignored byte " + HexText(byte, 2)); }}) {}

  int Run() {
    if (m_signals.fd() < 0) return Refuse("cannot receive signals: " + ErrnoText());
    const std::string pidFile = PidFilePath(m_prefix);
    if (const auto running = LiveDriverPid(pidFile))
      return Refuse("a driver is already running for " + m_prefix + " (pid " + std::to_string(*running) + ")");
    if (!m_log.writesFile() && !m_log.copiesToStandardError())
      return Refuse("cannot write the log " + m_log.path() + ": " + m_log.fileError());
    mkdir((m_prefix + "/dosdevices").c_str(), 0755);
    if (!m_control.Create()) return Refuse(m_control.failure());
    m_log.Line("started; control device " + m_control.path() + ", log " +
               (m_log.writesFile() ? m_log.path() : "on standard error only"));
    Apply("start");
    if (!WritePidFile(pidFile, getpid())) return Refuse("cannot write " + pidFile + ": " + ErrnoText());
    m_started("");
    const int status = Serve();
    m_ports.ReleaseAll();
    RemovePidFileOf(pidFile, getpid());
    m_log.Line("stopped");
    return status;
  }

 private:
  int Refuse(const std::string& message) {
    m_log.Line(message);
    m_started(message);
    return 1;
  }

  int Serve() {
    for (;;) {
      pollfd events[2] = {{m_control.fd(), POLLIN, 0}, {m_signals.fd(), POLLIN, 0}};
      const int ready = poll(events, 2, m_ports.IsWaiting() ? kPortRetryMs : -1);
      if (ready == 0) m_ports.HoldWaitingPorts();
      if (ready < 0) {
        if (errno == EINTR) continue;
        m_log.Line("poll failed: " + ErrnoText());
        return 1;
      }
      if (events[0].revents & POLLIN) ReadCommands();
      if (events[1].revents & POLLIN) {
        for (int signal = m_signals.Next(); signal != 0; signal = m_signals.Next()) {
          if (signal == SIGHUP) {
            Restart();
          } else {
            m_log.Line(std::string("stopping on ") + (signal == SIGTERM ? "SIGTERM" : "SIGINT"));
            return 0;
          }
        }
      }
    }
  }

  void ReadCommands() {
    std::uint8_t bytes[256];
    ssize_t count = 0;
    while ((count = read(m_control.fd(), bytes, sizeof bytes)) > 0)
      m_parser.Feed(bytes, static_cast<std::size_t>(count));
  }

  void Restart() {
    m_log.Line("restart: releasing every port");
    m_ports.ReleaseAll();
    Apply("restart");
  }

  // Reads the configuration and holds exactly the watched ports. When it
  // cannot be read, the ports held stay as they are.
  void Apply(const std::string& reason) {
    const auto watched = ReadWatchedPorts();
    if (!watched) {
      m_log.Line(reason + ": cannot read the service key; ports held stay as they are");
      return;
    }
    std::vector<std::string> names;
    std::string list;
    for (const WatchedPort& port : *watched) {
      names.push_back(port.name);
      list += " " + port.name + "=" + HexText(port.word, 8);
    }
    m_log.Line(reason + ": " + std::to_string(names.size()) + " watched port(s)" + list);
    m_ports.HoldExactly(names);
  }

  std::string m_prefix;
  std::function<void(const std::string&)> m_started;
  Log m_log;
  SignalChannel m_signals;
  ControlDevice m_control;
  PortHolder m_ports;
  CommandParser m_parser;
};

}  // namespace

int RunDriver(const std::string& prefix, const DriverRun& run) { return Driver(prefix, run).Run(); }

}  // namespace tavrind
