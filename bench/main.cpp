// portsetup-bench [--runs R]: the program's start-up and Apply on the headless
// backend against floors of plain system calls measured in the same run, for
// 225 and for 8 serial ports and watched words, and the peak resident set of a
// start-up and Apply. Prints medians of R runs (default 15), and for the rows
// that have a target (the 225-port times, the peak resident set), the target
// and whether it is met. Exit 0 when the figures were measured, 1 when
// the program did not behave as it must, 2 for a wrong command line.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/floors.h"
#include "bench/peak_memory.h"
#include "bench/port_world.h"
#include "bench/program_timing.h"
#include "bench/run_figures.h"
#include "model/port_setting.h"

namespace {

using bench::Duration;
using bench::Median;
using bench::Milliseconds;

constexpr double kStartUpTarget = 1.3;   // start-up within this many times its floor
constexpr double kApplyTarget = 5.0;     // Apply within this many times one durable rewrite
constexpr double kMemoryTargetMiB = 20;  // peak resident set below this
constexpr int kMemoryChildren = 3;
constexpr char kApplyCommand[] = "\x0A\x01\x42";

// Ours and the floor of one run, measured back to back.
struct Pair {
  Duration ours{};
  Duration floor{};
};

const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }

// The ratio is the median of each run's own ratio: a run's two figures are
// taken moments apart, so a load that comes and goes on the machine touches
// both alike. A row without a target shows its figures only.
void PrintTimeRow(const std::string& what, const std::vector<Pair>& pairs, std::optional<double> target) {
  std::vector<Duration> ours, floors;
  std::vector<double> ratios;
  for (const Pair& pair : pairs) {
    ours.push_back(pair.ours);
    floors.push_back(pair.floor);
    ratios.push_back(Milliseconds(pair.ours) / Milliseconds(pair.floor));
  }
  const double ratio = Median(ratios);
  std::printf("%-26s %9.2f ms %9.2f ms %7.2f", what.c_str(), Milliseconds(Median(ours)), Milliseconds(Median(floors)),
              ratio);
  if (target) {
    char targetText[24];
    std::snprintf(targetText, sizeof targetText, "<= %.1fx", *target);
    std::printf("   %-10s %s", targetText, Verdict(ratio <= *target));
  }
  std::printf("\n");
}

long FileSize(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? static_cast<long>(status.st_size) : -1;
}

// The program must have listed every watched word, stored a word under every
// name and sent the apply command, or its times mean nothing.
void CheckRun(const bench::ProgramRun& run, const bench::PortWorld& world, int watchedWords) {
  if (run.watchLines != watchedWords) {
    throw std::runtime_error("the watch list held " + std::to_string(run.watchLines) + " lines, not " +
                             std::to_string(watchedWords));
  }
  if (const std::string fault = world.CheckStoredWords(); !fault.empty()) {
    throw std::runtime_error("after Apply " + fault);
  }
  if (world.DrainControlDevice() != kApplyCommand) throw std::runtime_error("Apply did not send the apply command");
}

// The targets hold for the full 225 ports; the other case's rows are figures
// to compare, without a target.
void MeasureCase(int ports, int runs) {
  bench::PortWorld world(ports, ports);

  // First, while this process is small: a forked child's peak starts from
  // what it inherits.
  long peakKiB = 0;
  for (int i = 0; i < kMemoryChildren; ++i) {
    world.ResetHive();
    peakKiB = std::max(peakKiB, bench::PeakResidentKiB(world));
    if (world.DrainControlDevice() != kApplyCommand)
      throw std::runtime_error("the measuring child sent no apply command");
  }

  bench::HeadlessProgram program;
  world.ResetHive();
  CheckRun(bench::StartAndApply(program), world, ports);  // the first run's one-time work is not measured
  const long hiveSize = FileSize(world.HivePath());       // as Apply writes it

  std::vector<Pair> startUps, applies;
  for (int i = 0; i < runs; ++i) {
    world.ResetHive();
    const bench::ProgramRun run = bench::StartAndApply(program);
    CheckRun(run, world, ports);
    startUps.push_back({run.startUp, bench::StartUpFloor(world)});
    applies.push_back({run.apply, bench::ApplyFloor(world, static_cast<std::size_t>(hiveSize))});
  }

  const std::string n = std::to_string(ports);
  const bool targeted = ports == model::kPortCount;
  PrintTimeRow("start-up, " + n + " ports", startUps, targeted ? std::optional(kStartUpTarget) : std::nullopt);
  PrintTimeRow("Apply, " + n + " entries", applies, targeted ? std::optional(kApplyTarget) : std::nullopt);
  const double peakMiB = static_cast<double>(peakKiB) / 1024.0;
  char targetText[24];
  std::snprintf(targetText, sizeof targetText, "< %.0f MiB", kMemoryTargetMiB);
  std::printf("%-26s %8.2f MiB %12s %7s   %-10s %s\n", ("peak RSS, " + n + " ports").c_str(), peakMiB, "", "",
              targetText, Verdict(peakMiB < kMemoryTargetMiB));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], bench::kRssChildOption) == 0) return bench::RunRssChild();
  int runs = 15;
  if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) {
    runs = std::atoi(argv[2]);
  } else if (argc != 1) {
    runs = 0;
  }
  if (runs < 1) {
    std::fprintf(stderr, "usage: portsetup-bench [--runs R]   (R >= 1, default 15)\n");
    return 2;
  }
  std::printf("%-26s %12s %12s %7s   %-10s %s\n", ("median of " + std::to_string(runs) + " runs").c_str(), "ours",
              "floor", "ratio", "target", "met");
  try {
    for (int ports : {model::kPortCount, 8}) MeasureCase(ports, runs);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "portsetup-bench: %s\n", error.what());
    return 1;
  }
  std::printf(
      "floors: start-up = stat (a character device?), open, terminal check, flock, TIOCGEXCL and close of\n"
      "        dosdevices/com1..com225, and one read of the hive; Apply = one durable rewrite of a file of the\n"
      "        hive's size (write a temporary file, fsync it, rename it over the file, fsync the folder)\n");
  return 0;
}
