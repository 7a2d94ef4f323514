// Composing a watch-list line from choices and parsing one back into its
// fields and settings word.
#include "model/watch_entry.h"

#include <algorithm>
#include <array>

namespace model {
namespace {

// A table row by index; an index outside the table stands for the row the
// word 0 reads as (its last row for driver type and PnP, "Auto_Scan" for baud).
template <std::size_t N>
const char* RowOr(const std::array<const char*, N>& table, int index, std::size_t fallback) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? table[index] : table[fallback];
}

bool IsDelimiter(char c) { return c == '-' || c == ' '; }

// The text from start up to end, cut to what a field of that capacity holds.
std::string CutField(std::string_view text, std::size_t start, std::size_t end, std::size_t capacity) {
  return std::string(text.substr(start, std::min(end - start, capacity)));
}

}  // namespace

std::string ComposeWatchEntry(std::string_view portName, int driverTypeIndex, int baudIndex, int pnpIndex,
                              std::string_view disabledPnpText) {
  std::string entry(portName);
  entry += '-';
  entry += RowOr(kDriverTypeTable, driverTypeIndex, 1);
  entry += '-';
  entry += RowOr(kBaudRateTable, baudIndex, 0);
  entry += '-';
  if (pnpIndex == 0) {
    entry += kPnpEnabledField;
  } else {
    entry += disabledPnpText;
  }
  entry += ' ';
  return entry;
}

// Four delimiters ("-" or blank) end the four fields in turn; the driver-type
// and PnP bits are ORed in at the fourth, the baud bits after the scan. A text
// with more delimiters starts over at the port name, which is then the text
// from position 0, and the later group's fields replace the earlier ones. Each
// field is the whole text between its delimiters, cut to its capacity.
ParsedWatchEntry ParseWatchEntry(std::string_view entry) {
  ParsedWatchEntry parsed;
  int phase = 0;
  std::size_t fieldStart = 0;
  for (std::size_t i = 0; i < entry.size(); ++i) {
    if (!IsDelimiter(entry[i])) continue;
    switch (phase) {
      case 0:
        parsed.portName = CutField(entry, 0, i, kPortNameCapacity);
        parsed.portNameKnown = IsPortName(entry.substr(0, i));
        break;
      case 1:
        parsed.driverType = CutField(entry, fieldStart, i, kDriverTypeCapacity);
        break;
      case 2:
        parsed.baud = CutField(entry, fieldStart, i, kBaudCapacity);
        break;
      case 3:
        parsed.pnp = CutField(entry, fieldStart, i, kPnpCapacity);
        parsed.wordAfterScan |= DriverTypeBits(parsed.driverType) | PnpBits(parsed.pnp);
        break;
    }
    fieldStart = i + 1;
    phase = (phase + 1) % 4;
  }
  parsed.word = parsed.wordAfterScan | BaudBits(parsed.baud);
  return parsed;
}

std::optional<std::string> PortNameOfEntry(std::string_view entry) {
  const std::size_t dash = entry.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  return std::string(entry.substr(0, std::min(dash, kPortNameCapacity)));
}

}  // namespace model
