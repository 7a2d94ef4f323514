// "tavrind settings": what a stored word means, in the dialog's choice texts.
#include <gtest/gtest.h>

#include "tools/tavrind/settings_report.h"

namespace {

TEST(SettingsReport, WordsReadAsTheDialogsChoices) {
  EXPECT_EQ(tavrind::DescribeSettingsWord(0x27), "0x00000027  HID_Touch_Digitizer, 9600, PnP polling Enable");
  EXPECT_EQ(tavrind::DescribeSettingsWord(0x01),
            "0x00000001  Traditional_Touch_Screen, Auto_Scan, PnP polling Disable");
  EXPECT_EQ(tavrind::DescribeSettingsWord(0x33), "0x00000033  Traditional_Touch_Screen, 57600, PnP polling Enable");
  // A baud index without a rate, and bits the program never writes.
  EXPECT_EQ(tavrind::DescribeSettingsWord(0x80000039),
            "0x80000039  Traditional_Touch_Screen, baud index 7 (no rate), PnP polling Disable, other bits 0x80000000");
}

}  // namespace
