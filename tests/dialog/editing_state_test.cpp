// The editing state's transitions, as the editing handlers drive them.
#include "editing_state.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EditingState, StartsWithNoPortAndNotEditing) {
  const EditingState state;
  EXPECT_STREQ(state.CurrentPort(), "");
  EXPECT_EQ(state.EditMode(), 0);
}

TEST(EditingState, WatchSelectionBeginsEditingAndTakesTheEntrysPort) {
  EditingState state;
  state.WatchEntrySelected("COM12-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(state.EditMode(), 1);
  EXPECT_STREQ(state.CurrentPort(), "COM12");

  // Without a port name the buffer keeps what it held; editing begins all the same.
  state.EntryRewritten();
  state.WatchEntrySelected("no delimiter");
  EXPECT_EQ(state.EditMode(), 1);
  EXPECT_STREQ(state.CurrentPort(), "COM12");
  state.EntryRewritten();
  state.WatchEntrySelected(std::nullopt);
  EXPECT_EQ(state.EditMode(), 1);
  EXPECT_STREQ(state.CurrentPort(), "COM12");
}

TEST(EditingState, PortSelectionRemoveAndRewriteEndEditing) {
  EditingState state;
  state.WatchEntrySelected("COM3-HID_Touch_Digitizer-9600-PnP ");
  state.PortSelected("COM7");
  EXPECT_EQ(state.EditMode(), 0);
  EXPECT_STREQ(state.CurrentPort(), "COM7");

  state.WatchEntrySelected("COM3-HID_Touch_Digitizer-9600-PnP ");
  state.EntryRemoved("COM3-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(state.EditMode(), 0);
  EXPECT_STREQ(state.CurrentPort(), "COM3");

  state.WatchEntrySelected("COM5-Traditional_Touch_Screen-Auto_Scan-NoPnp ");
  state.EntryRewritten();
  EXPECT_EQ(state.EditMode(), 0);
  EXPECT_STREQ(state.CurrentPort(), "COM5");

  // With nothing selected the port stays, and editing still ends.
  state.WatchEntrySelected(std::nullopt);
  state.EntryRemoved(std::nullopt);
  EXPECT_EQ(state.EditMode(), 0);
  state.WatchEntrySelected(std::nullopt);
  state.PortSelected(std::nullopt);
  EXPECT_EQ(state.EditMode(), 0);
  EXPECT_STREQ(state.CurrentPort(), "COM5");
}

TEST(EditingState, ThePortBufferHoldsSevenCharacters) {
  EditingState state;
  state.PortSelected("COM1234567");
  EXPECT_EQ(std::string(state.CurrentPort()), "COM1234");
  state.WatchEntrySelected("ABCDEFGHIJ-x-y-PnP ");
  EXPECT_EQ(std::string(state.CurrentPort()), "ABCDEFG");
  state.PortSelected("");
  EXPECT_STREQ(state.CurrentPort(), "");
}

}  // namespace
