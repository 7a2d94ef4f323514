// Texts of other forms than the composers make: the parse follows the same
// phases for them, keeps every field within its capacity, and marks port
// names that are not in the port-name table.
#include <gtest/gtest.h>

#include <string>

#include "model/watch_entry.h"

namespace model {
namespace {

void ExpectEmptyParse(const ParsedWatchEntry& parsed) {
  EXPECT_EQ(parsed.portName, "");
  EXPECT_EQ(parsed.driverType, "");
  EXPECT_EQ(parsed.baud, "");
  EXPECT_EQ(parsed.pnp, "");
  EXPECT_EQ(parsed.word, 0u);
  EXPECT_FALSE(parsed.portNameKnown);
}

TEST(ParseOddText, EmptyTextGivesNothing) { ExpectEmptyParse(ParseWatchEntry("")); }

TEST(ParseOddText, TextWithoutDelimitersGivesNothing) {
  ExpectEmptyParse(ParseWatchEntry("COM1"));
  ExpectEmptyParse(ParseWatchEntry("COM1\tHID_Touch_Digitizer\t9600\tPnP\t"));  // a tab is no delimiter
}

TEST(ParseOddText, WithoutTheFinalBlankOnlyTheBaudBitsAreSet) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1-HID_Touch_Digitizer-9600-PnP");
  EXPECT_EQ(parsed.portName, "COM1");
  EXPECT_EQ(parsed.driverType, "HID_Touch_Digitizer");
  EXPECT_EQ(parsed.baud, "9600");
  EXPECT_EQ(parsed.pnp, "");
  EXPECT_EQ(parsed.wordAfterScan, 0u);
  EXPECT_EQ(parsed.word, 0x20u);
  EXPECT_TRUE(parsed.portNameKnown);
}

TEST(ParseOddText, BlanksDelimitFieldsLikeDashes) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM2 Traditional_Touch_Screen 4800 PnP-");
  EXPECT_EQ(parsed.portName, "COM2");
  EXPECT_EQ(parsed.word, 0x1Bu);
}

TEST(ParseOddText, AdjacentDelimitersGiveEmptyFields) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1--9600- ");
  EXPECT_EQ(parsed.portName, "COM1");
  EXPECT_EQ(parsed.driverType, "");
  EXPECT_EQ(parsed.baud, "9600");
  EXPECT_EQ(parsed.pnp, "");
  EXPECT_EQ(parsed.wordAfterScan, 0u);
  EXPECT_EQ(parsed.word, 0x20u);
}

TEST(ParseOddText, TextAfterTheFinalBlankWithoutDelimiterIsIgnored) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1-HID_Touch_Digitizer-9600-PnP trailing");
  EXPECT_EQ(parsed.portName, "COM1");
  EXPECT_EQ(parsed.pnp, "PnP");
  EXPECT_EQ(parsed.word, 0x27u);
}

TEST(ParseOddText, AFifthDelimiterStartsOverWithThePortNameFromPositionZero) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1-HID_Touch_Digitizer-9600-PnP COM2-");
  EXPECT_EQ(parsed.portName, "COM1-HI");  // the text from 0, cut to seven characters
  EXPECT_FALSE(parsed.portNameKnown);
  EXPECT_EQ(parsed.driverType, "HID_Touch_Digitizer");  // the first group's fields stay
  EXPECT_EQ(parsed.word, 0x27u);
}

TEST(ParseOddText, ASecondFullGroupReplacesTheFieldsAndAddsItsBits) {
  const ParsedWatchEntry parsed =
      ParseWatchEntry("COM1-Traditional_Touch_Screen-1200-NoPnP COM2-HID_Touch_Digitizer-57600-PnP ");
  EXPECT_FALSE(parsed.portNameKnown);
  EXPECT_EQ(parsed.portName, "COM1-Tr");
  EXPECT_EQ(parsed.driverType, "HID_Touch_Digitizer");
  EXPECT_EQ(parsed.baud, "57600");
  EXPECT_EQ(parsed.pnp, "PnP");
  EXPECT_EQ(parsed.wordAfterScan, 0x07u);  // 0x01 from the first group ORed with 0x07
  EXPECT_EQ(parsed.word, 0x37u);
}

TEST(ParseOddText, ALongPortNameIsCutAndNotKnown) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM12345-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(parsed.portName, "COM1234");
  EXPECT_FALSE(parsed.portNameKnown);
  // The fields after it are still the texts between their delimiters.
  EXPECT_EQ(parsed.driverType, "HID_Touch_Digitizer");
  EXPECT_EQ(parsed.baud, "9600");
  EXPECT_EQ(parsed.word, 0x27u);
}

TEST(ParseOddText, AnEightCharacterNameWhoseCutIsATableNameIsNotKnown) {
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1XXXX-HID_Touch_Digitizer-9600-PnP ");
  EXPECT_EQ(parsed.portName, "COM1XXX");
  EXPECT_FALSE(parsed.portNameKnown);
  EXPECT_FALSE(ParseWatchEntry("COM2    -x-y-z ").portNameKnown);
}

TEST(ParseOddText, NamesOutsideTheTableAreNotKnown) {
  for (const char* entry : {"COM0-HID_Touch_Digitizer-9600-PnP ", "COM226-HID_Touch_Digitizer-9600-PnP ",
                            "com1-HID_Touch_Digitizer-9600-PnP ", "COM01-HID_Touch_Digitizer-9600-PnP ",
                            "-HID_Touch_Digitizer-9600-PnP "}) {
    const ParsedWatchEntry parsed = ParseWatchEntry(entry);
    EXPECT_FALSE(parsed.portNameKnown) << entry;
    EXPECT_EQ(parsed.word, 0x27u) << entry;
  }
}

TEST(ParseOddText, OverlongFieldsAreCutToTheirCapacities) {
  const std::string driver(300, 'D');
  const std::string baud = "9600" + std::string(40, '0');
  const std::string pnp = "PnPPnPPnP";
  const ParsedWatchEntry parsed = ParseWatchEntry("COM1-" + driver + "-" + baud + "-" + pnp + " ");
  EXPECT_EQ(parsed.portName, "COM1");
  EXPECT_EQ(parsed.driverType, std::string(kDriverTypeCapacity, 'D'));
  EXPECT_EQ(parsed.baud, baud.substr(0, kBaudCapacity));
  EXPECT_EQ(parsed.pnp, pnp.substr(0, kPnpCapacity));
  EXPECT_EQ(parsed.word, 0u);  // none of the cut fields is a table text
}

TEST(ParseOddText, EmbeddedNulIsAnOrdinaryCharacter) {
  const std::string entry("COM1\0-HID_Touch_Digitizer-9600-PnP ", 35);
  const ParsedWatchEntry parsed = ParseWatchEntry(entry);
  EXPECT_EQ(parsed.portName, std::string("COM1\0", 5));
  EXPECT_FALSE(parsed.portNameKnown);
  EXPECT_EQ(parsed.word, 0x27u);
}

}  // namespace
}  // namespace model
