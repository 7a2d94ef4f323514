// portsetup-wine-bench PROGRAM RUNS: the program's start-up (from its start
// until it waits for input with its dialog shown) and one Apply with 225 watch
// entries (the command sent to the dialog until its handler returns), medians
// of RUNS runs. Before each run every port name's word is stored, each one
// watched, so the watch list holds 225 entries; a run whose list holds fewer,
// whose Apply left a word unwritten or whose program did not end fails.
// Prints "start-up ms=N" and "apply ms=N"; exit 1 on a failure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/run_figures.h"
#include "model/port_setting.h"
#include "res/resource.h"
#include "tests/wine/windows/dialog_windows.h"
#include "tests/wine/windows/settings_key.h"

namespace {

constexpr DWORD kWatchedWord = 0x27;  // watched, PnP polling, HID digitizer, 9600 baud
constexpr DWORD kMarker = 0x80000000u;

using bench::Median;
using bench::Milliseconds;
using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "portsetup-wine-bench: %s\n", why.c_str());
  std::exit(1);
}

// The same word under every port name, in a service key made if missing.
bool StoreWords(DWORD word) {
  if (!wine_test::SetKeyPresent(true).empty()) return false;
  const std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&word), reinterpret_cast<const BYTE*>(&word + 1));
  for (int port = 1; port <= model::kPortCount; ++port) {
    if (!wine_test::SetValue("COM" + std::to_string(port), REG_DWORD, bytes).empty()) return false;
  }
  return true;
}

// Whether Apply wrote the word under every port name.
bool EveryWordIs(DWORD word) {
  std::vector<wine_test::StoredValue> values;
  if (!wine_test::ReadStore(values)) return false;
  int written = 0;
  for (const wine_test::StoredValue& value : values) {
    DWORD stored = 0;
    if (value.data.size() != sizeof stored) return false;
    std::memcpy(&stored, value.data.data(), sizeof stored);
    if (stored != word) return false;
    ++written;
  }
  return written == model::kPortCount;
}

struct Run {
  double startUp;
  double apply;
};

Run MeasureOnce(const std::string& program) {
  // A bit the entries do not carry marks each word, so that Apply must write them anew.
  if (!StoreWords(kWatchedWord | kMarker)) Fail("cannot store the words");

  const auto started = Clock::now();
  const PROCESS_INFORMATION process = wine_test::StartProgram(program);
  if (process.hProcess == nullptr) Fail("cannot start " + program);
  const HWND dialog = wine_test::WaitForWindow(
      [&] {
        const HWND window = wine_test::FindDialog(process.dwProcessId, "TAVRIN");
        return window != nullptr && IsWindowVisible(window) ? window : HWND{};
      },
      std::chrono::seconds(60));
  const auto waiting = Clock::now();
  if (dialog == nullptr) Fail("the dialog did not show");
  const LRESULT entries = SendMessageW(GetDlgItem(dialog, IDC_WATCH_LIST), LB_GETCOUNT, 0, 0);
  if (entries != model::kPortCount) Fail("the watch list holds " + std::to_string(entries) + " entries");

  const auto applying = Clock::now();
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_APPLY_BUTTON, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_APPLY_BUTTON)));
  const auto applied = Clock::now();
  if (!EveryWordIs(kWatchedWord)) Fail("Apply left words unwritten");

  PostMessageW(dialog, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) Fail("the program did not end");
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  if (exitCode != 0) Fail("the program ended with " + std::to_string(exitCode));
  return {Milliseconds(waiting - started), Milliseconds(applied - applying)};
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc == 3 ? std::atoi(argv[2]) : 0;
  if (runs < 1) {
    std::fprintf(stderr, "usage: portsetup-wine-bench PROGRAM RUNS\n");
    return 2;
  }
  MeasureOnce(argv[1]);  // the first run's one-time work is not measured
  std::vector<double> startUps, applies;
  for (int run = 0; run < runs; ++run) {
    const Run measured = MeasureOnce(argv[1]);
    startUps.push_back(measured.startUp);
    applies.push_back(measured.apply);
  }
  std::printf("start-up ms=%.2f\napply ms=%.2f\n", Median(startUps), Median(applies));
  return 0;
}
