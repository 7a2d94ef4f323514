// Numbers as the driver's log and reports show them: "0x" and upper-case hex
// digits, zero-padded to a width (2 for a byte, 8 for a settings word).
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

namespace tavrind {

inline std::string HexText(unsigned value, int width) {
  std::ostringstream text;
  text << "0x" << std::uppercase << std::hex << std::setw(width) << std::setfill('0') << value;
  return text.str();
}

}  // namespace tavrind
