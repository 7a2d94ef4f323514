#include <gtest/gtest.h>

#include <map>
#include <string>

#include "framework/linux/startup/system_backend.h"

namespace {

using framework::ChooseSystemBackend;
using framework::SystemBackend;

SystemBackend ChooseWith(const std::map<std::string, std::string>& environment, bool terminalUsable = false,
                         bool qtBuilt = true) {
  return ChooseSystemBackend(
      [&environment](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found != environment.end() ? found->second.c_str() : nullptr;
      },
      qtBuilt, terminalUsable);
}

TEST(SystemBackendChoice, AnyDisplayChoosesQt) {
  EXPECT_EQ(ChooseWith({{"DISPLAY", ":0"}}), SystemBackend::Qt);
  EXPECT_EQ(ChooseWith({{"WAYLAND_DISPLAY", "wayland-0"}}), SystemBackend::Qt);
  EXPECT_EQ(ChooseWith({{"QT_QPA_PLATFORM", "offscreen"}}), SystemBackend::Qt);
}

TEST(SystemBackendChoice, NoDisplayChoosesNone) {
  EXPECT_EQ(ChooseWith({}), SystemBackend::None);
  EXPECT_EQ(ChooseWith({{"HOME", "/root"}, {"TERM", "xterm"}}), SystemBackend::None);
}

TEST(SystemBackendChoice, WithoutADisplayAUsableTerminalIsChosen) {
  EXPECT_EQ(ChooseWith({{"TERM", "xterm"}}, true), SystemBackend::Terminal);
  EXPECT_EQ(ChooseWith({{"DISPLAY", ""}}, true), SystemBackend::Terminal);
  // A display wins over the terminal the program was started from.
  EXPECT_EQ(ChooseWith({{"DISPLAY", ":0"}}, true), SystemBackend::Qt);
}

TEST(SystemBackendChoice, ABuildWithoutQtIgnoresTheDisplay) {
  EXPECT_EQ(ChooseWith({{"DISPLAY", ":0"}}, true, false), SystemBackend::Terminal);
  EXPECT_EQ(ChooseWith({{"QT_QPA_PLATFORM", "offscreen"}}, false, false), SystemBackend::None);
}

TEST(SystemBackendChoice, AnEmptyVariableIsNoDisplay) {
  EXPECT_EQ(ChooseWith({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}), SystemBackend::None);
  EXPECT_EQ(ChooseWith({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-1"}}), SystemBackend::Qt);
}

}  // namespace
