#include "tools/tavrind/settings_report.h"

#include "model/port_setting.h"
#include "tools/tavrind/hex_text.h"
#include "tools/tavrind/watched_ports.h"

namespace tavrind {

std::string DescribeSettingsWord(unsigned word) {
  const int baudIndex = model::BaudIndexOf(word);
  const std::string baud = baudIndex < static_cast<int>(model::kBaudRateTable.size())
                               ? model::kBaudRateTable[baudIndex]
                               : "baud index " + std::to_string(baudIndex) + " (no rate)";
  std::string text = HexText(word, 8) + "  " + model::kDriverTypeTable[model::DriverTypeIndexOf(word)] + ", " + baud +
                     ", PnP polling " + model::kPnpPollingTable[model::PnpIndexOf(word)];
  if ((word & ~model::kSettingsWordBits) != 0) text += ", other bits " + HexText(word & ~model::kSettingsWordBits, 8);
  return text;
}

int PrintSettings(const std::string& prefix, std::ostream& out, std::ostream& err) {
  const auto watched = ReadWatchedPorts();
  if (!watched) {
    err << "tavrind: cannot read the driver's service key in " << prefix << "/hklm.reg\n";
    return 1;
  }
  if (watched->empty()) out << "no port is watched\n";
  for (const WatchedPort& port : *watched) out << port.name << "  " << DescribeSettingsWord(port.word) << "\n";
  return 0;
}

}  // namespace tavrind
