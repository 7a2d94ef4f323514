// The editing state's transitions, as the editing handlers drive them.
#include "dialog/editing_state.h"

#include <gtest/gtest.h>

#include <string>

namespace {

::testing::AssertionResult Holds(const EditingState& state, int editMode, const std::string& currentPort) {
  if (state.EditMode() == editMode && state.CurrentPort() == currentPort) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "edit mode " << state.EditMode() << ", current port \"" << state.CurrentPort()
                                       << '"';
}

constexpr char kCom3Entry[] = "COM3-HID_Touch_Digitizer-9600-PnP ";

TEST(EditingState, StartsWithNoPortAndNotEditing) { EXPECT_TRUE(Holds(EditingState(), 0, "")); }

TEST(EditingState, WatchSelectionBeginsEditingAndTakesTheEntrysPort) {
  EditingState state;
  state.WatchEntrySelected("COM12-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_TRUE(Holds(state, 1, "COM12"));

  // Without a port name the buffer keeps what it held; editing begins all the same.
  state.EntryRewritten();
  state.WatchEntrySelected("no delimiter");
  EXPECT_TRUE(Holds(state, 1, "COM12"));
  state.EntryRewritten();
  state.WatchEntrySelected(std::nullopt);
  EXPECT_TRUE(Holds(state, 1, "COM12"));
}

TEST(EditingState, PortSelectionRemoveAndRewriteEndEditing) {
  EditingState state;
  state.WatchEntrySelected(kCom3Entry);
  state.PortSelected("COM7");
  EXPECT_TRUE(Holds(state, 0, "COM7"));

  state.WatchEntrySelected(kCom3Entry);
  state.EntryRemoved(kCom3Entry);
  EXPECT_TRUE(Holds(state, 0, "COM3"));

  state.WatchEntrySelected("COM5-Traditional_Touch_Screen-Auto_Scan-NoPnp ");
  state.EntryRewritten();
  EXPECT_TRUE(Holds(state, 0, "COM5"));

  // With nothing selected the port stays, and editing still ends.
  state.WatchEntrySelected(std::nullopt);
  state.EntryRemoved(std::nullopt);
  EXPECT_TRUE(Holds(state, 0, "COM5"));
  state.WatchEntrySelected(std::nullopt);
  state.PortSelected(std::nullopt);
  EXPECT_TRUE(Holds(state, 0, "COM5"));
}

TEST(EditingState, ThePortBufferHoldsSevenCharacters) {
  EditingState state;
  state.PortSelected("COM1234567");
  EXPECT_TRUE(Holds(state, 0, "COM1234"));
  state.WatchEntrySelected("ABCDEFGHIJ-x-y-PnP ");
  EXPECT_TRUE(Holds(state, 1, "ABCDEFG"));
  state.PortSelected("");
  EXPECT_TRUE(Holds(state, 0, ""));
}

}  // namespace
