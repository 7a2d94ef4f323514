// Any text as a watch-list line: the parse and the port-name cut stay within
// their capacities and never build bits the driver does not know, and any
// choice the dialog can make parses back to its own word.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/watch_entry.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool IsDelimiter(char c) { return c == '-' || c == ' '; }

void CheckParse(std::string_view text) {
  const model::ParsedWatchEntry parsed = model::ParseWatchEntry(text);
  Require(parsed.portName.size() <= model::kPortNameCapacity, "port name within capacity");
  Require(parsed.driverType.size() <= model::kDriverTypeCapacity, "driver type within capacity");
  Require(parsed.baud.size() <= model::kBaudCapacity, "baud within capacity");
  Require(parsed.pnp.size() <= model::kPnpCapacity, "PnP field within capacity");
  Require((parsed.word & ~model::PortSetting{0x3F}) == 0, "no bits above bit 5");
  Require((parsed.wordAfterScan & ~parsed.word) == 0, "final word keeps the bits of the scan");
  Require((parsed.wordAfterScan & model::kBaudIndexMask) == 0, "no baud bits after the scan");
  Require(model::BaudIndexOf(parsed.word) != 7, "BaudIndex 7 is never built");
  Require((parsed.word & ~model::kBaudIndexMask) == parsed.wordAfterScan, "the baud step adds baud bits only");
  Require((parsed.word & model::kBaudIndexMask) == model::BaudBits(parsed.baud), "baud bits come from the baud field");
  Require(text.starts_with(parsed.portName), "port name is cut from position 0");
  if (parsed.portNameKnown) {
    Require(model::IsPortName(parsed.portName), "a known port name is a table entry");
    Require(text.size() > parsed.portName.size() && IsDelimiter(text[parsed.portName.size()]),
            "a known port name is the whole text before a delimiter");
  }
  if (text.find_first_of("- ") == std::string_view::npos) {
    Require(parsed.portName.empty() && parsed.word == 0 && !parsed.portNameKnown, "no delimiter, nothing parsed");
  }
}

void CheckPortNameCut(std::string_view text) {
  const std::optional<std::string> name = model::PortNameOfEntry(text);
  const std::size_t dash = text.find('-');
  Require(name.has_value() == (dash != std::string_view::npos), "a result exactly when there is a dash");
  if (!name) return;
  Require(name->size() <= model::kPortNameCapacity, "cut name fits the current-port buffer");
  Require(*name == text.substr(0, std::min(dash, model::kPortNameCapacity)), "name is the text before the dash");
}

// The first bytes choose a port and the three combo indexes; the rest of the
// input is not used here.
void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return;
  const int port = data[0] % model::kPortCount;
  const int driver = data[1] % 2;
  const int baud = data[2] % 7;
  const int pnp = data[3] % 2;
  const char* disabledText = data[4] % 2 == 0 ? model::kNoPnpFromAdd : model::kNoPnpFromEdit;
  const std::string entry = model::ComposeWatchEntry(model::PortName(port), driver, baud, pnp, disabledText);
  const model::ParsedWatchEntry parsed = model::ParseWatchEntry(entry);
  const model::PortSetting expected = model::kWatched | (driver == 0 ? model::kHidDigitizer : 0) |
                                      (pnp == 0 ? model::kPnpPolling : 0) |
                                      (static_cast<model::PortSetting>(baud) << model::kBaudIndexShift);
  Require(parsed.word == expected, "a composed entry parses back to its word");
  Require(parsed.portNameKnown && parsed.portName == model::PortName(port), "a composed entry keeps its port");
  Require(model::PortNameOfEntry(entry) == parsed.portName, "both cuts agree on a composed entry");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckParse(text);
  CheckPortNameCut(text);
  CheckRoundTrip(data, size);
  const model::ParsedWatchEntry parsed = model::ParseWatchEntry(text);
  static_cast<void>(model::LeadingInteger(parsed.baud));
  static_cast<void>(model::LeadingInteger(text));
  return 0;
}
