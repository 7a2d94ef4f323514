// "tavrind settings": the configuration as the driver reads it, each watched
// port's settings word with what it means.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// "0x00000027  HID_Touch_Digitizer, 9600, PnP polling Enable": the word, then
// its driver type, initial scan baud rate and PnP polling in the dialog's
// choice texts, and any bits beyond those.
std::string DescribeSettingsWord(unsigned word);

// One line per watched port of the prefix's configuration. Returns the exit
// status: 1 when the configuration cannot be read.
int PrintSettings(const std::string& prefix, std::ostream& out, std::ostream& err);

}  // namespace tavrind
