// Building a settings word from entry fields, and reading one back into the
// combo indexes.
#include <cstddef>

#include "model/port_setting.h"

namespace model {

PortSetting DriverTypeBits(std::string_view driverTypeField) {
  if (driverTypeField == kDriverTypeTable[0]) return kWatched | kHidDigitizer;
  if (driverTypeField == kDriverTypeTable[1]) return kWatched;
  return 0;
}

PortSetting PnpBits(std::string_view pnpField) { return pnpField == kPnpEnabledField ? kPnpPolling : 0; }

PortSetting BaudBits(std::string_view baudField) {
  // Row 0, "Auto_Scan", contributes no bits, like any unknown text.
  for (std::size_t index = 1; index < kBaudRateTable.size(); ++index) {
    if (baudField == kBaudRateTable[index]) return static_cast<PortSetting>(index) << kBaudIndexShift;
  }
  return 0;
}

int DriverTypeIndexOf(PortSetting word) { return (word & kHidDigitizer) != 0 ? 0 : 1; }

int BaudIndexOf(PortSetting word) { return static_cast<int>((word & kBaudIndexMask) >> kBaudIndexShift); }

int PnpIndexOf(PortSetting word) { return (word & kPnpPolling) != 0 ? 0 : 1; }

}  // namespace model
