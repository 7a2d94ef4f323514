// The text of one watch-list line, "COM1-HID_Touch_Digitizer-9600-PnP ", and
// the parse that turns it back into a settings word.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/port_setting.h"

namespace model {

// Capacities of the parsed fields (characters, without a terminator).
inline constexpr std::size_t kPortNameCapacity = 7;
inline constexpr std::size_t kDriverTypeCapacity = 127;
inline constexpr std::size_t kBaudCapacity = 15;
inline constexpr std::size_t kPnpCapacity = 7;

// Port name, "-", driver-type text, "-", baud text, "-", "PnP" for PnP index 0
// or disabledPnpText for index 1, and one final blank. An index outside its
// table composes the choice the word 0 reads as: "Traditional_Touch_Screen",
// "Auto_Scan" (also for a stored BaudIndex of 7, which has no text), disabled.
std::string ComposeWatchEntry(std::string_view portName, int driverTypeIndex, int baudIndex, int pnpIndex,
                              std::string_view disabledPnpText);

struct ParsedWatchEntry {
  std::string portName;           // at most kPortNameCapacity characters
  std::string driverType;         // at most kDriverTypeCapacity
  std::string baud;               // at most kBaudCapacity
  std::string pnp;                // at most kPnpCapacity
  PortSetting wordAfterScan = 0;  // driver-type and PnP bits only
  PortSetting word = 0;           // with the baud bits: the final word
  bool portNameKnown = false;     // portName is an entry of the port-name table
};

ParsedWatchEntry ParseWatchEntry(std::string_view entry);

// The characters before the first "-", cut to kPortNameCapacity so that they
// fit the current-port buffer; nothing for a text without "-".
std::optional<std::string> PortNameOfEntry(std::string_view entry);

// The number at the start of a field, read as atoi reads it; a number beyond
// the range of int saturates at INT_MAX or INT_MIN.
int LeadingInteger(std::string_view field);

}  // namespace model
