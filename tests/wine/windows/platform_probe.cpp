// platform-probe: runs the operations of platform/ against the real API under
// Wine, as its arguments say, and prints what they gave, one line per fact:
//
//   key-create | key-delete        make or remove the driver's service key
//   set-raw NAME TYPE HEX          store a value of any type and size in it
//   read NAME...                   "open=0|1" from OpenForRead, then
//                                  "NAME=WORD" (hex) from ReadSetting for each
//   write NAME=WORD...             "open=0|1" from OpenForWrite, then
//                                  "NAME ok=0|1" from WriteSetting for each
//   query NAME                     "NAME type=T size=S data=HEX", read through
//                                  a handle of its own
//   hold PATH                      open PATH exclusively and keep it open
//   probe                          "free NAME..." the port names whose
//                                  device opens exclusively now
//   apply                          "written=N": the apply command to the
//                                  control device
//   run PROGRAM PARAMETERS MS      "result=N ms=T" from RunAndWait; a box the
//                                  shell shows meanwhile is answered and
//                                  reported: "box text=T"
//
// A step the registry refuses, or one that lacks an argument, ends the probe
// with "error ..." and exit status 1.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "model/port_setting.h"
#include "platform/device_io.h"
#include "platform/driver_settings_store.h"
#include "platform/run_and_wait.h"
#include "tests/wine/windows/control_reader.h"
#include "tests/wine/windows/settings_key.h"
#include "tests/wine/windows/step_output.h"

namespace {

using wine_test::Fail;
using wine_test::Say;

// A refusal of the registry ends the probe: the world it was to make is not there.
void Refused(const std::string& error) {
  if (!error.empty()) Fail(error);
}

std::string Hex(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(value));
  return text;
}

std::vector<BYTE> Bytes(const std::string& hex) {
  std::vector<BYTE> bytes;
  for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
    bytes.push_back(static_cast<BYTE>(std::strtoul(hex.substr(k, 2).c_str(), nullptr, 16)));
  }
  return bytes;
}

// Names compare without regard to case, as the registry's do.
void Query(const std::string& name) {
  std::vector<wine_test::StoredValue> values;
  if (!wine_test::ReadStore(values)) {
    Say(name + " no key");
    return;
  }
  for (const wine_test::StoredValue& value : values) {
    if (_stricmp(value.name.c_str(), name.c_str()) != 0) continue;
    std::string hex;
    for (const BYTE byte : value.data) {
      char pair[4];
      std::snprintf(pair, sizeof pair, "%02X", byte);
      hex += pair;
    }
    Say(name + " type=" + std::to_string(value.type) + " size=" + std::to_string(value.data.size()) + " data=" + hex);
    return;
  }
  Say(name + " missing");
}

// Answers every message box the process shows while `work` runs, and reports
// its text: the shell's own box when a program cannot be started.
template <typename Work>
void AnsweringBoxes(Work work) {
  std::atomic<bool> done{false};
  std::thread answerer([&done] {
    const DWORD self = GetCurrentProcessId();
    while (!done) {
      HWND box = nullptr;
      while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner != self || !IsWindowVisible(box)) continue;
        Say("box text=" + wine_test::ReadMessageBox(box).text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  work();
  done = true;
  answerer.join();
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<UniqueHandle> held;
  for (int k = 1; k < argc; ++k) {
    const std::string step = argv[k];
    const auto next = [&]() -> std::string {
      if (k + 1 >= argc) Fail(step + " lacks an argument");
      return argv[++k];
    };
    if (step == "key-create" || step == "key-delete") {
      Refused(wine_test::SetKeyPresent(step == "key-create"));
    } else if (step == "set-raw") {
      const std::string name = next();
      const auto type = static_cast<DWORD>(std::atoi(next().c_str()));
      Refused(wine_test::SetValue(name, type, Bytes(next())));
    } else if (step == "read" || step == "write") {
      DriverSettingsStore store;
      const bool open = step == "read" ? store.OpenForRead() : store.OpenForWrite();
      Say(std::string("open=") + (open ? "1" : "0"));
      while (k + 1 < argc && std::string(argv[k + 1]).rfind("COM", 0) == 0) {
        const std::string item = next();
        if (step == "read") {
          Say(item + "=" + Hex(store.ReadSetting(item.c_str())));
        } else {
          const std::size_t equals = item.find('=');
          const std::string name = item.substr(0, equals);
          const auto word = static_cast<DWORD>(std::strtoul(item.substr(equals + 1).c_str(), nullptr, 16));
          Say(name + " ok=" + (store.WriteSetting(name.c_str(), word) ? "1" : "0"));
        }
      }
      store.Close();
    } else if (step == "query") {
      Query(next());
    } else if (step == "hold") {
      held.push_back(OpenDeviceExclusive(next().c_str()));
    } else if (step == "probe") {
      std::string free = "free";
      for (int port = 0; port < model::kPortCount; ++port) {
        if (OpenDeviceExclusive(SerialPortPath(model::PortName(port)).c_str()).IsOpen()) {
          free += std::string(" ") + model::PortName(port);
        }
      }
      Say(free);
    } else if (step == "apply") {
      const UniqueHandle device = OpenDeviceExclusive(kControlDevicePath);
      Say("written=" + std::to_string(WriteDevice(device, kApplyCommand, sizeof kApplyCommand)));
    } else if (step == "run") {
      const std::string program = next();
      const std::string parameters = next();
      const auto limit = static_cast<DWORD>(std::atoi(next().c_str()));
      AnsweringBoxes([&] {
        const auto start = std::chrono::steady_clock::now();
        const DWORD result = RunAndWait(program.c_str(), parameters.c_str(), limit);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        Say("result=" + std::to_string(result) + " ms=" + std::to_string(ms));
      });
    } else {
      Fail("unknown step " + step);
    }
  }
  return 0;  // the held devices close with `held`
}
