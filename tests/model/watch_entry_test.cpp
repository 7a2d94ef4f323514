// Watch-list lines as the program composes them: their text, their parse and
// the round trip of every watched word.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/watch_entry.h"

namespace model {
namespace {

TEST(ComposeWatchEntry, JoinsTheTableTextsWithDashesAndAFinalBlank) {
  EXPECT_EQ(ComposeWatchEntry("COM1", 0, 4, 0, kNoPnpFromAdd), "COM1-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(ComposeWatchEntry("COM12", 1, 0, 1, kNoPnpFromEdit), "COM12-Traditional_Touch_Screen-Auto_Scan-NoPnp ");
  EXPECT_EQ(ComposeWatchEntry("COM3", 1, 6, 1, kNoPnpFromAdd), "COM3-Traditional_Touch_Screen-57600-NoPnP ");
}

TEST(ComposeWatchEntry, LongestEntryHasFortyEightCharacters) {
  EXPECT_EQ(ComposeWatchEntry("COM225", 1, 0, 1, kNoPnpFromAdd).size(), 48u);
}

TEST(ComposeWatchEntry, AddAndEditDifferOnlyInTheDisabledPnpField) {
  const std::string byAdd = ComposeWatchEntry("COM5", 0, 2, 1, kNoPnpFromAdd);
  const std::string byEdit = ComposeWatchEntry("COM5", 0, 2, 1, kNoPnpFromEdit);
  EXPECT_EQ(byAdd, "COM5-HID_Touch_Digitizer-2400-NoPnP ");
  EXPECT_EQ(byEdit, "COM5-HID_Touch_Digitizer-2400-NoPnp ");
  EXPECT_EQ(ParseWatchEntry(byAdd).word, ParseWatchEntry(byEdit).word);
  // With PnP enabled the disabled text is not used at all.
  EXPECT_EQ(ComposeWatchEntry("COM5", 0, 2, 0, kNoPnpFromAdd), ComposeWatchEntry("COM5", 0, 2, 0, kNoPnpFromEdit));
}

TEST(ComposeWatchEntry, LoadOfAStoredWordUsesItsReadings) {
  const PortSetting word = 0x27;
  EXPECT_EQ(ComposeWatchEntry("COM3", DriverTypeIndexOf(word), BaudIndexOf(word), PnpIndexOf(word), kNoPnpFromEdit),
            "COM3-HID_Touch_Digitizer-9600-PnP ");
}

TEST(ComposeWatchEntry, IndexesOutsideTheTablesComposeTheChoicesOfWordZero) {
  // A stored word 0x3D (HID, BaudIndex 7, PnP off) has no baud text: it loads as Auto_Scan.
  const PortSetting word = 0x3D;
  EXPECT_EQ(ComposeWatchEntry("COM4", DriverTypeIndexOf(word), BaudIndexOf(word), PnpIndexOf(word), kNoPnpFromEdit),
            "COM4-HID_Touch_Digitizer-Auto_Scan-NoPnp ");
  EXPECT_EQ(ComposeWatchEntry("COM4", -1, -1, -1, kNoPnpFromAdd), "COM4-Traditional_Touch_Screen-Auto_Scan-NoPnP ");
  EXPECT_EQ(ComposeWatchEntry("COM4", 2, 8, 2, kNoPnpFromAdd), "COM4-Traditional_Touch_Screen-Auto_Scan-NoPnP ");
}

TEST(ParseWatchEntry, HidNineSixHundredWithPnp) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(parsed.portName, "COM1");
  EXPECT_EQ(parsed.driverType, "HID_Touch_Digitizer");
  EXPECT_EQ(parsed.baud, "9600");
  EXPECT_EQ(parsed.pnp, "PnP");
  EXPECT_EQ(parsed.wordAfterScan, 0x07u);
  EXPECT_EQ(parsed.word, 0x27u);
  EXPECT_TRUE(parsed.portNameKnown);
}

TEST(ParseWatchEntry, TraditionalAutoScanWithoutPnp) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM7-Traditional_Touch_Screen-Auto_Scan-NoPnp ");
  EXPECT_EQ(parsed.portName, "COM7");
  EXPECT_EQ(parsed.wordAfterScan, 0x01u);
  EXPECT_EQ(parsed.word, 0x01u);
}

TEST(ParseWatchEntry, HighestPortWithTheFastestRate) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM225-Traditional_Touch_Screen-57600-NoPnP ");
  EXPECT_EQ(parsed.portName, "COM225");
  EXPECT_EQ(parsed.wordAfterScan, 0x01u);
  EXPECT_EQ(parsed.word, 0x31u);
  EXPECT_TRUE(parsed.portNameKnown);
}

// Every choice the dialog can make, for both disabled-PnP texts: the word it
// stands for, composed the way the load composes it from that word, parses back
// to the same word, with only the driver-type and PnP bits after the scan.
TEST(WatchedWordRoundTrip, AllTwentyEightWordsSurviveComposeParseAndReadBack) {
  for (const char* disabledText : {kNoPnpFromAdd, kNoPnpFromEdit}) {
    std::set<PortSetting> words;
    for (int driver = 0; driver < 2; ++driver) {
      for (int baud = 0; baud < 7; ++baud) {
        for (int pnp = 0; pnp < 2; ++pnp) {
          const std::string entry = ComposeWatchEntry("COM9", driver, baud, pnp, disabledText);
          const ParsedWatchEntry parsed = ParseWatchEntry(entry);
          SCOPED_TRACE(entry);
          const PortSetting expected = kWatched | (driver == 0 ? kHidDigitizer : 0) | (pnp == 0 ? kPnpPolling : 0) |
                                       (static_cast<PortSetting>(baud) << kBaudIndexShift);
          EXPECT_EQ(parsed.word, expected);
          EXPECT_EQ(parsed.wordAfterScan, expected & ~kBaudIndexMask);
          EXPECT_EQ(parsed.portName, "COM9");
          EXPECT_EQ(DriverTypeIndexOf(parsed.word), driver);
          EXPECT_EQ(BaudIndexOf(parsed.word), baud);
          EXPECT_EQ(PnpIndexOf(parsed.word), pnp);
          const std::string reloaded =
              ComposeWatchEntry("COM9", DriverTypeIndexOf(parsed.word), BaudIndexOf(parsed.word),
                                PnpIndexOf(parsed.word), kNoPnpFromEdit);
          EXPECT_EQ(ParseWatchEntry(reloaded).word, parsed.word);
          words.insert(parsed.word);
        }
      }
    }
    const std::set<PortSetting> watchedWords = {0x01, 0x09, 0x11, 0x19, 0x21, 0x29, 0x31, 0x03, 0x0B, 0x13,
                                                0x1B, 0x23, 0x2B, 0x33, 0x05, 0x0D, 0x15, 0x1D, 0x25, 0x2D,
                                                0x35, 0x07, 0x0F, 0x17, 0x1F, 0x27, 0x2F, 0x37};
    EXPECT_EQ(words, watchedWords);
  }
}

TEST(WatchedWordRoundTrip, EveryPortNameParsesBackAsAKnownName) {
  for (int k = 0; k < kPortCount; ++k) {
    const ParsedWatchEntry parsed = ParseWatchEntry(ComposeWatchEntry(PortName(k), 0, 6, 0, kNoPnpFromAdd));
    EXPECT_EQ(parsed.portName, PortName(k));
    EXPECT_TRUE(parsed.portNameKnown) << PortName(k);
    EXPECT_EQ(PortNameOfEntry(ComposeWatchEntry(PortName(k), 1, 0, 1, kNoPnpFromEdit)), PortName(k));
  }
}

TEST(PortNameOfEntry, CutsBeforeTheFirstDash) {
  EXPECT_EQ(PortNameOfEntry("COM10-HID_Touch_Digitizer-1200-PnP "), "COM10");
  EXPECT_EQ(PortNameOfEntry("COM3-"), "COM3");
  EXPECT_EQ(PortNameOfEntry("-COM3"), "");
}

TEST(PortNameOfEntry, ABlankDoesNotEndTheName) {
  EXPECT_EQ(PortNameOfEntry("CO M1-X"), "CO M1");
  EXPECT_EQ(PortNameOfEntry(" COM1-X"), " COM1");
}

TEST(PortNameOfEntry, NoResultWithoutADash) {
  EXPECT_EQ(PortNameOfEntry(""), std::nullopt);
  EXPECT_EQ(PortNameOfEntry("COM1"), std::nullopt);
  EXPECT_EQ(PortNameOfEntry("COM1 HID_Touch_Digitizer 9600 PnP "), std::nullopt);
}

TEST(PortNameOfEntry, ALongNameIsCutToTheCurrentPortBuffer) {
  EXPECT_EQ(PortNameOfEntry("COM12345-HID_Touch_Digitizer-1200-PnP "), "COM1234");
  EXPECT_EQ(PortNameOfEntry(std::string(500, 'A') + "-"), std::string(kPortNameCapacity, 'A'));
}

}  // namespace
}  // namespace model
