// The port-name table and the exact test for a port name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/port_setting.h"

namespace model {
namespace {

TEST(PortNameTable, FollowsTheNumberingRule) {
  EXPECT_STREQ(PortName(0), "COM1");
  EXPECT_STREQ(PortName(9), "COM10");
  EXPECT_STREQ(PortName(99), "COM100");
  EXPECT_STREQ(PortName(224), "COM225");
  for (int k = 0; k < kPortCount; ++k) EXPECT_EQ(PortName(k), "COM" + std::to_string(k + 1));
}

TEST(PortNameTable, IndexOutsideTheTableHasNoName) {
  EXPECT_EQ(PortName(-1), nullptr);
  EXPECT_EQ(PortName(kPortCount), nullptr);
}

TEST(PortNameTable, NamesAreStableAndDistinct) {
  const char* first = PortName(41);
  EXPECT_EQ(PortName(41), first);
  std::set<std::string> names;
  for (int k = 0; k < kPortCount; ++k) names.insert(PortName(k));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kPortCount));
}

TEST(IsPortName, AcceptsEveryTableEntryAndPortIndexFindsIt) {
  for (int k = 0; k < kPortCount; ++k) {
    EXPECT_TRUE(IsPortName(PortName(k))) << PortName(k);
    EXPECT_EQ(PortIndex(PortName(k)), k) << PortName(k);
  }
}

TEST(IsPortName, RejectsNearMisses) {
  for (const char* text : {"", "COM", "COM0", "COM226", "COM01", "COM001", "com1", "Com1", "COM1 ", " COM1", "COM1-",
                           "COM+1", "COM-1", "COM999", "COM1000", "COM2250", "LPT1", "COMA"}) {
    EXPECT_FALSE(IsPortName(text)) << '"' << text << '"';
    EXPECT_EQ(PortIndex(text), std::nullopt) << '"' << text << '"';
  }
  EXPECT_FALSE(IsPortName(std::string_view("COM1\0", 5)));
}

}  // namespace
}  // namespace model
