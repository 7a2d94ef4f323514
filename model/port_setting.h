// The settings word of one serial port, its value tables and the port names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace model {

// One port's settings as the driver reads them. Bits 6 to 31 are always 0 in a
// word the program writes and ignored in a word it reads.
using PortSetting = std::uint32_t;

inline constexpr PortSetting kWatched = 0x01;
inline constexpr PortSetting kPnpPolling = 0x02;
inline constexpr PortSetting kHidDigitizer = 0x04;
inline constexpr PortSetting kBaudIndexMask = 0x38;
inline constexpr int kBaudIndexShift = 3;
// The bits a settings word may have; all others are 0.
inline constexpr PortSetting kSettingsWordBits = kWatched | kPnpPolling | kHidDigitizer | kBaudIndexMask;

// The choice texts of the three combos, in combo order: a combo's selection
// index is the table index, and the baud index is the word's BaudIndex.
inline constexpr std::array<const char*, 2> kDriverTypeTable = {"HID_Touch_Digitizer", "Traditional_Touch_Screen"};
inline constexpr std::array<const char*, 7> kBaudRateTable = {"Auto_Scan", "1200",  "2400", "4800",
                                                              "9600",      "19200", "57600"};
inline constexpr std::array<const char*, 2> kPnpPollingTable = {"Enable", "Disable"};

// The disabled PnP field as Add writes it, and as the load and a combo edit do.
inline constexpr char kNoPnpFromAdd[] = "NoPnP";
inline constexpr char kNoPnpFromEdit[] = "NoPnp";

// The PnP field that sets PnpPolling; every other text leaves it clear.
inline constexpr char kPnpEnabledField[] = "PnP";

// "COM1" to "COM225", ascending; every pass over ports walks it whole.
// PortName gives nullptr for an index outside 0 to kPortCount - 1; PortIndex
// is its inverse, and exact: "COM01" and "com1" are not names.
inline constexpr int kPortCount = 225;
const char* PortName(int index);
std::optional<int> PortIndex(std::string_view name);
bool IsPortName(std::string_view name);

// Building rules: the bits each field contributes (exact, case-sensitive).
PortSetting DriverTypeBits(std::string_view driverTypeField);
PortSetting PnpBits(std::string_view pnpField);
PortSetting BaudBits(std::string_view baudField);

// Reading rules: the combo indexes a stored word stands for.
int DriverTypeIndexOf(PortSetting word);  // 0 HID, 1 traditional
int BaudIndexOf(PortSetting word);        // 0 to 7; 7 has no baud text
int PnpIndexOf(PortSetting word);         // 0 enable, 1 disable

}  // namespace model
