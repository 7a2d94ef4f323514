// Start-up in a prefix whose device namespace holds everything but serial
// ports: loops, links to directories, system devices, files and missing
// targets, FIFOs, and terminals under names outside COM1..COM225. The real
// dialog code lists only the real free terminals, opens nothing else, never
// hangs and leaves nothing open. Each start-up runs in a child with an alarm.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "bench/port_world.h"
#include "tests/app/child_run.h"
#include "tests/app/open_watch.h"
#include "tests/app/startup_report.h"
#include "tests/support/pseudo_terminal.h"
#include "winapi/unique_fd.h"

namespace {

constexpr unsigned kGenerousSeconds = 60;
constexpr char kNothingLeft[] = "descriptors left: 0; keys 0, files 0, processes 0, unreaped 0";

class HostilePrefix : public ::testing::Test {
 protected:
  std::string Entry(const std::string& name) const { return m_world.Prefix() + "/dosdevices/" + name; }
  std::string Scratch(const std::string& name) const { return m_world.Prefix() + "/" + name; }

  void Link(const std::string& name, const std::string& target) const {
    std::filesystem::create_symlink(target, Entry(name));
  }
  // A terminal nobody holds; its slave is what the link names.
  const std::string& FreeTerminal() {
    m_terminals.push_back(std::make_unique<test_support::PseudoTerminal>());
    return m_terminals.back()->slavePath();
  }
  // A terminal another program holds with an exclusive flock.
  std::string HeldTerminal() {
    const std::string path = FreeTerminal();
    m_holder = m_terminals.back()->OpenSlave();
    EXPECT_EQ(flock(m_holder.Get(), LOCK_EX | LOCK_NB), 0);
    return path;
  }
  // A file the program must never open, watched for opens.
  void MustStayClosed(const std::string& path) { m_watch.Watch(path); }

  // Every kind of entry that is not a free serial port, and four that are:
  // COM1 and COM10 (links to terminals), COM12 (a relative link) and COM13 (a
  // chain of two links).
  void BuildHostileNamespace() {
    Link("com1", FreeTerminal());
    Link("com2", HeldTerminal());
    Link("com3", "com3");  // a link to itself
    Link("com4", "loop");
    std::filesystem::create_symlink("com4", Entry("loop"));
    std::filesystem::create_directory(Scratch("directory"));
    Link("com5", Scratch("directory"));
    Link("com6", "/dev/null");
    std::ofstream(Scratch("file")) << "not a port\n";
    Link("com7", Scratch("file"));
    Link("com8", Scratch("missing"));
    ASSERT_EQ(mkfifo(Entry("com9").c_str(), 0600), 0);  // nobody reads it
    Link("com10", FreeTerminal());
    ASSERT_EQ(mkfifo(Entry("com11").c_str(), 0600), 0);
    m_fifoReader = winapi::UniqueFd(open(Entry("com11").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    ASSERT_TRUE(m_fifoReader.Valid());
    Link("com12", std::filesystem::relative(FreeTerminal(), m_world.Prefix() + "/dosdevices"));
    Link("com13", Scratch("chain"));
    std::filesystem::create_symlink(FreeTerminal(), Scratch("chain"));
    Link("com14", "/dev/ptmx");  // opening it would make a new terminal
    Link("com15", "/dev/tty");
    Link("com17", "/dev/pts/2147483647");  // a terminal that is gone
    Link("com18", ".");
    Link("com19", "/" + std::string(4000, 'a'));
    std::ofstream(Entry("com20")) << "a file where a port should be\n";
    std::filesystem::create_directory(Entry("com21"));
    // A private copy of the null device, when this user may make device nodes.
    if (mknod(Scratch("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
      Link("com16", Scratch("null"));
      MustStayClosed(Scratch("null"));
    }
    // Free terminals under names the program never probes.
    for (const char* name : {"com0", "com226", "COM5", "com05", "com1000"}) {
      Link(name, FreeTerminal());
      MustStayClosed(m_terminals.back()->slavePath());
    }
    for (const char* watched : {"directory", "file"}) MustStayClosed(Scratch(watched));
    for (const char* watched : {"com9", "com11", "com20", "com21"}) MustStayClosed(Entry(watched));
    MustStayClosed(m_world.Prefix() + "/dosdevices");
  }

  bench::PortWorld m_world{0, 0};  // the settings key and a running driver, no ports
  std::vector<std::unique_ptr<test_support::PseudoTerminal>> m_terminals;
  robustness::OpenWatch m_watch;
  winapi::UniqueFd m_holder;
  winapi::UniqueFd m_fifoReader;
};

TEST_F(HostilePrefix, StartUpListsOnlyTheRealFreeTerminalsAndOpensNothingElse) {
  BuildHostileNamespace();
  const robustness::ChildOutcome outcome = robustness::RunInChild(kGenerousSeconds, robustness::StartUpReport);
  ASSERT_TRUE(outcome.finished) << "start-up " << outcome.how << ": " << outcome.report;
  EXPECT_EQ(outcome.report, std::string("ports: COM1 COM10 COM12 COM13; boxes: none; ") + kNothingLeft);
  EXPECT_EQ(m_watch.Opened(), std::vector<std::string>{}) << "opened although no serial port";
}

// The control device's entry in the same hostile shapes: the presence check
// fails (message 105, then the quit request) without hanging, opening the
// thing or leaving anything open.
class HostileControlDevice : public HostilePrefix, public ::testing::WithParamInterface<const char*> {
 protected:
  void ReplaceControlDevice(const std::string& shape) {
    const std::string entry = Entry("tavrin");
    std::filesystem::remove(entry);
    if (shape == "fifo without reader") {
      ASSERT_EQ(mkfifo(entry.c_str(), 0600), 0);
      MustStayClosed(entry);
    } else if (shape == "link loop") {
      Link("tavrin", "tavrin");
    } else if (shape == "directory") {
      std::filesystem::create_directory(entry);
      MustStayClosed(entry);
    } else if (shape == "regular file") {
      std::ofstream(entry) << "not a device\n";
      MustStayClosed(entry);
    } else if (shape == "missing target") {
      Link("tavrin", Scratch("missing"));
    }
  }
};

TEST_P(HostileControlDevice, StartUpTellsTheDriverIsMissingAndEnds) {
  Link("com1", FreeTerminal());
  ReplaceControlDevice(GetParam());
  const robustness::ChildOutcome outcome = robustness::RunInChild(kGenerousSeconds, robustness::StartUpReport);
  ASSERT_TRUE(outcome.finished) << "start-up " << outcome.how << ": " << outcome.report;
  EXPECT_EQ(outcome.report, std::string("ports: the dialog never waited; boxes: \"Please install TAVRIN and start "
                                        "the driver!\"; ") +
                                kNothingLeft);
  EXPECT_EQ(m_watch.Opened(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Shapes, HostileControlDevice,
                         ::testing::Values("fifo without reader", "link loop", "directory", "regular file",
                                           "missing target"));

}  // namespace
