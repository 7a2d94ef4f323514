// The port-name table, "COM1" to "COM225", generated at compile time so every
// name is a stable C string for the life of the program.
#include <array>
#include <cstddef>

#include "model/port_setting.h"

namespace model {
namespace {

constexpr std::size_t kLongestPortName = 6;  // "COM225"
using PortNameText = std::array<char, kLongestPortName + 1>;

constexpr PortNameText MakePortName(int number) {
  PortNameText name{'C', 'O', 'M'};
  char digits[3] = {};
  int count = 0;
  for (; number > 0; number /= 10) digits[count++] = static_cast<char>('0' + number % 10);
  for (int i = 0; i < count; ++i) name[3 + i] = digits[count - 1 - i];
  return name;
}

constexpr std::array<PortNameText, kPortCount> MakePortNameTable() {
  std::array<PortNameText, kPortCount> table{};
  for (int k = 0; k < kPortCount; ++k) table[k] = MakePortName(k + 1);
  return table;
}

constexpr std::array<PortNameText, kPortCount> kPortNameTable = MakePortNameTable();

}  // namespace

const char* PortName(int index) {
  if (index < 0 || index >= kPortCount) return nullptr;
  return kPortNameTable[index].data();
}

std::optional<int> PortIndex(std::string_view name) {
  constexpr std::string_view prefix = "COM";
  if (name.size() <= prefix.size() || name.size() > kLongestPortName || !name.starts_with(prefix)) return std::nullopt;
  int number = 0;
  for (char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  // The table entry of that number tells leading zeros apart: "COM01" is not "COM1".
  if (number < 1 || number > kPortCount || name != PortName(number - 1)) return std::nullopt;
  return number - 1;
}

bool IsPortName(std::string_view name) { return PortIndex(name).has_value(); }

}  // namespace model
