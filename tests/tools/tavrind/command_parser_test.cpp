// The driver stand-in's reading of the control device's byte stream.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/tavrind/command_parser.h"

namespace {

// What the parser reported, in order: "apply" or the ignored byte in hex.
class ParserLog {
 public:
  ParserLog()
      : m_parser(
            {[this] { m_events.push_back("apply"); }, [this](std::uint8_t byte) { m_events.push_back(Hex(byte)); }}) {}

  void Feed(const std::vector<std::uint8_t>& bytes) { m_parser.Feed(bytes.data(), bytes.size()); }
  const std::vector<std::string>& events() const { return m_events; }

 private:
  static std::string Hex(std::uint8_t byte) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 15]};
  }
  tavrind::CommandParser m_parser;
  std::vector<std::string> m_events;
};

using Events = std::vector<std::string>;

TEST(CommandParser, ApplyCommandInOneRead) {
  ParserLog log;
  log.Feed({0x0A, 0x01, 0x42});
  EXPECT_EQ(log.events(), Events{"apply"});
}

TEST(CommandParser, ApplyCommandSplitOverReads) {
  ParserLog log;
  log.Feed({0x0A});
  log.Feed({});
  EXPECT_TRUE(log.events().empty());
  log.Feed({0x01});
  log.Feed({0x42, 0x0A, 0x01});
  EXPECT_EQ(log.events(), Events{"apply"});
  log.Feed({0x42});
  EXPECT_EQ(log.events(), (Events{"apply", "apply"}));
}

TEST(CommandParser, OtherBytesAreReportedInOrder) {
  ParserLog log;
  log.Feed({0x41, 0x0A, 0x01, 0x42, 0x42, 0x00});
  EXPECT_EQ(log.events(), (Events{"41", "apply", "42", "00"}));
}

TEST(CommandParser, BrokenPrefixRestartsAtTheNextPossibleStart) {
  ParserLog log;
  log.Feed({0x0A, 0x0A, 0x01, 0x42});
  EXPECT_EQ(log.events(), (Events{"0A", "apply"}));
  ParserLog other;
  other.Feed({0x0A, 0x01, 0x0A, 0x01, 0x42});
  EXPECT_EQ(other.events(), (Events{"0A", "01", "apply"}));
  ParserLog reversed;
  reversed.Feed({0x42, 0x01, 0x0A});
  EXPECT_EQ(reversed.events(), (Events{"42", "01"}));  // the 0A may still begin a command
}

}  // namespace
