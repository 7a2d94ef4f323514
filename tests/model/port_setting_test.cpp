// The settings word: what each entry field contributes, and how a stored word
// reads back into the three combos.
#include <gtest/gtest.h>

#include "model/port_setting.h"

namespace model {
namespace {

TEST(BuildingRules, DriverTypeFieldSetsWatchedAndHidBits) {
  EXPECT_EQ(DriverTypeBits("HID_Touch_Digitizer"), 0x05u);
  EXPECT_EQ(DriverTypeBits("Traditional_Touch_Screen"), 0x01u);
}

TEST(BuildingRules, DriverTypeNeedsTheWholeExactText) {
  for (const char* text : {"", "hid_touch_digitizer", "HID_Touch_Digitize", "HID_Touch_Digitizer ",
                           "Traditional_Touch_ScreenX", "Traditional"}) {
    EXPECT_EQ(DriverTypeBits(text), 0u) << '"' << text << '"';
  }
}

TEST(BuildingRules, OnlyTheExactPnpFieldSetsPolling) {
  EXPECT_EQ(PnpBits("PnP"), kPnpPolling);
  for (const char* text : {"NoPnP", "NoPnp", "pnp", "PNP", "Pnp", "PnP ", "", "Enable"}) {
    EXPECT_EQ(PnpBits(text), 0u) << '"' << text << '"';
  }
}

TEST(BuildingRules, BaudTextsGiveTheirRowShiftedByThree) {
  EXPECT_EQ(BaudBits("1200"), 0x08u);
  EXPECT_EQ(BaudBits("2400"), 0x10u);
  EXPECT_EQ(BaudBits("4800"), 0x18u);
  EXPECT_EQ(BaudBits("9600"), 0x20u);
  EXPECT_EQ(BaudBits("19200"), 0x28u);
  EXPECT_EQ(BaudBits("57600"), 0x30u);
}

TEST(BuildingRules, AutoScanEmptyAndUnknownBaudGiveIndexZero) {
  for (const char* text : {"Auto_Scan", "", "auto_scan", "115200", "9600 ", "09600", "1200x"}) {
    EXPECT_EQ(BaudBits(text), 0u) << '"' << text << '"';
  }
}

TEST(BuildingRules, ExamplesCombineAllThreeFields) {
  EXPECT_EQ(DriverTypeBits("HID_Touch_Digitizer") | BaudBits("9600") | PnpBits("PnP"), 0x27u);
  EXPECT_EQ(DriverTypeBits("Traditional_Touch_Screen") | BaudBits("Auto_Scan") | PnpBits("NoPnp"), 0x01u);
  EXPECT_EQ(DriverTypeBits("Traditional_Touch_Screen") | BaudBits("57600") | PnpBits("PnP"), 0x33u);
  EXPECT_EQ(DriverTypeBits("HID_Touch_Digitizer") | BaudBits("1200") | PnpBits("NoPnP"), 0x0Du);
}

TEST(ReadingRules, EachBitSelectsItsComboIndex) {
  EXPECT_EQ(DriverTypeIndexOf(0x04), 0);
  EXPECT_EQ(DriverTypeIndexOf(0x00), 1);
  EXPECT_EQ(PnpIndexOf(0x02), 0);
  EXPECT_EQ(PnpIndexOf(0x00), 1);
  for (int baud = 0; baud <= 7; ++baud) EXPECT_EQ(BaudIndexOf(static_cast<PortSetting>(baud) << 3), baud);
}

TEST(ReadingRules, BitsAboveBitFiveAreIgnored) {
  EXPECT_EQ(DriverTypeIndexOf(0x101), 1);
  EXPECT_EQ(BaudIndexOf(0x101), 0);
  EXPECT_EQ(PnpIndexOf(0x101), 1);
  EXPECT_EQ(DriverTypeIndexOf(0xFFFFFFC0u | 0x27u), 0);
  EXPECT_EQ(BaudIndexOf(0xFFFFFFC0u | 0x27u), 4);
  EXPECT_EQ(PnpIndexOf(0xFFFFFFC0u | 0x27u), 0);
}

TEST(ReadingRules, BaudIndexSevenIsReportedAsSeven) {
  // 0x39: traditional, PnP off, BaudIndex 7 — a value with no baud text.
  EXPECT_EQ(BaudIndexOf(0x39), 7);
  EXPECT_EQ(DriverTypeIndexOf(0x39), 1);
  EXPECT_EQ(PnpIndexOf(0x39), 1);
}

TEST(ReadingRules, WatchedBitDoesNotChangeTheOtherReadings) {
  // 0x26 has Watched clear; the readings of its other bits are as for 0x27.
  EXPECT_EQ(0x26u & kWatched, 0u);
  EXPECT_EQ(DriverTypeIndexOf(0x26), DriverTypeIndexOf(0x27));
  EXPECT_EQ(BaudIndexOf(0x26), BaudIndexOf(0x27));
  EXPECT_EQ(PnpIndexOf(0x26), PnpIndexOf(0x27));
}

TEST(ValueTables, ReadingAWordBuiltFromATableRowGivesThatRowBack) {
  for (int driver = 0; driver < 2; ++driver) {
    for (int baud = 0; baud < 7; ++baud) {
      for (int pnp = 0; pnp < 2; ++pnp) {
        const PortSetting word = DriverTypeBits(kDriverTypeTable[driver]) | BaudBits(kBaudRateTable[baud]) |
                                 PnpBits(pnp == 0 ? kPnpEnabledField : kNoPnpFromAdd);
        EXPECT_EQ(DriverTypeIndexOf(word), driver);
        EXPECT_EQ(BaudIndexOf(word), baud);
        EXPECT_EQ(PnpIndexOf(word), pnp);
        EXPECT_EQ(word & kWatched, kWatched);
      }
    }
  }
}

}  // namespace
}  // namespace model
