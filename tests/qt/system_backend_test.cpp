#include <gtest/gtest.h>

#include <map>
#include <string>

#include "system_backend.h"

namespace {

using framework::qt::ChooseSystemBackend;
using framework::qt::SystemBackend;

SystemBackend ChooseWith(const std::map<std::string, std::string>& environment) {
  return ChooseSystemBackend([&environment](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found != environment.end() ? found->second.c_str() : nullptr;
  });
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

TEST(SystemBackendChoice, AnEmptyVariableIsNoDisplay) {
  EXPECT_EQ(ChooseWith({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}), SystemBackend::None);
  EXPECT_EQ(ChooseWith({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "wayland-1"}}), SystemBackend::Qt);
}

}  // namespace
