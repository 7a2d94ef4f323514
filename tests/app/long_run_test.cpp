// One run of the dialog through 1000 Applies and 50 driver restarts: the
// descriptors and child processes of the process stay where they were, the
// stand-in's handles and unreaped children stay at 0, every Apply reaches the
// driver and no temporary file is left in the prefix.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "bench/headless_program.h"
#include "bench/port_world.h"
#include "framework/framework.h"
#include "framework/linux/input.h"
#include "res/resource.h"
#include "tests/app/process_census.h"
#include "tests/support/process_probes.h"
#include "tests/support/temp_directory.h"

namespace {

constexpr int kApplies = 1000;
constexpr int kRestarts = 50;
constexpr int kAppliesBetweenRestarts = kApplies / kRestarts;
constexpr char kApplyCommand[] = "\x0A\x01\x42";

// devcon.exe as a script first on PATH: logs its command line, ends at once.
class DevconOnPath {
 public:
  DevconOnPath() : m_savedPath(std::getenv("PATH") ? std::getenv("PATH") : "") {
    const std::string program = m_bin / "devcon.exe";
    std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << LogPath() << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    setenv("PATH", (m_bin.path() + ":/usr/bin:/bin").c_str(), 1);
  }
  ~DevconOnPath() { setenv("PATH", m_savedPath.c_str(), 1); }
  DevconOnPath(const DevconOnPath&) = delete;
  DevconOnPath& operator=(const DevconOnPath&) = delete;

  std::string LogPath() const { return m_bin / "devcon.log"; }

 private:
  std::string m_savedPath;
  test_support::TempDirectory m_bin;
};

// Descriptors, child processes and the stand-in's handles at one moment.
std::string Census() {
  return "descriptors " + std::to_string(test_support::OpenDescriptorCount()) + ", children " +
         std::to_string(robustness::ChildProcessCount()) + ", " + robustness::StandInHandles();
}

std::set<std::string> NamesIn(const std::string& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) names.insert(entry.path().filename());
  return names;
}

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

TEST(LongRun, ThousandAppliesAndFiftyRestartsLeaveNothingBehind) {
  bench::PortWorld world(4, 2);
  const DevconOnPath devcon;
  const std::string before = Census();

  bench::HeadlessProgram program;
  int applies = 0;
  int restarts = 0;
  std::string atFirstWait;
  std::string firstChange;  // the first wait at which the census differed from the first
  std::string device;
  program.Run([&](HWND dialog) {
    device += world.DrainControlDevice();
    const std::string now = Census();
    if (atFirstWait.empty()) atFirstWait = now;
    if (now != atFirstWait && firstChange.empty()) {
      firstChange =
          "after " + std::to_string(applies) + " Applies and " + std::to_string(restarts) + " restarts: " + now;
    }
    if (dialog == nullptr) return false;
    if (restarts < kRestarts && applies == (restarts + 1) * kAppliesBetweenRestarts) {
      ++restarts;
      framework::PostClick(dialog, IDC_RESTART_BUTTON);
    } else if (applies < kApplies) {
      ++applies;
      framework::PostClick(dialog, IDC_APPLY_BUTTON);
    } else {
      return false;
    }
    return true;
  });
  device += world.DrainControlDevice();

  EXPECT_EQ(applies, kApplies);
  EXPECT_EQ(restarts, kRestarts);
  EXPECT_EQ(firstChange, "") << "at the first wait: " << atFirstWait;
  EXPECT_EQ(Census(), before);
  EXPECT_EQ(robustness::StandInHandles(), "keys 0, files 0, processes 0, unreaped 0");
  EXPECT_TRUE(device == Repeated(kApplyCommand, kApplies)) << device.size() << " bytes reached the driver";

  CString restartDone;
  restartDone.LoadString(IDS_RESTART_DONE);
  ASSERT_EQ(program.Boxes().size(), static_cast<std::size_t>(kRestarts));
  for (const auto& box : program.Boxes()) EXPECT_EQ(box.text, restartDone.str());
  std::ifstream log(devcon.LogPath());
  int runs = 0;
  for (std::string line; std::getline(log, line); ++runs) EXPECT_EQ(line, "restart ROOT\\TAVRIN");
  EXPECT_EQ(runs, kRestarts);

  EXPECT_EQ(NamesIn(world.Prefix()), (std::set<std::string>{"dosdevices", "hklm.reg", "hklm.reg.lock"}))
      << "a temporary file was left";
}

}  // namespace
