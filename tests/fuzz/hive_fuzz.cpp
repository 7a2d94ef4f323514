// Any bytes as the HKEY_LOCAL_MACHINE hive (8-bit text, or UTF-16LE after a
// byte-order mark): a text that parses serializes back to its own bytes and
// parses again to the same hive; values set in it (the bytes at the end of
// the input choose them) read back the same after another serialize and
// parse; a text that does not parse names the line at fault.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "winapi/hive.h"

namespace {

constexpr char kServiceKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tavrin";

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string FlipCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string ChooseKeyPath(const winapi::Hive& hive, FuzzedDataProvider& choice) {
  if (hive.keys.empty() || choice.ConsumeBool()) return kServiceKey;
  const std::string& path = hive.keys[choice.ConsumeIntegralInRange<std::size_t>(0, hive.keys.size() - 1)].path;
  return choice.ConsumeBool() ? FlipCase(path) : path;
}

std::string ChooseValueName(const winapi::Hive& hive, std::string_view keyPath, FuzzedDataProvider& choice) {
  switch (choice.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return "COM" + std::to_string(choice.ConsumeIntegralInRange(1, 225));
    case 1:
      for (const winapi::HiveKey& key : hive.keys) {
        if (!winapi::SameRegistryName(key.path, keyPath)) continue;
        for (const winapi::HiveLine& line : key.lines) {
          if (line.value && choice.ConsumeBool()) return FlipCase(line.value->name);
        }
      }
      return "";
    default:
      return choice.ConsumeRandomLengthString(40);
  }
}

winapi::HiveValue ChooseValue(const winapi::Hive& hive, std::string_view keyPath, FuzzedDataProvider& choice) {
  winapi::HiveValue value;
  value.name = ChooseValueName(hive, keyPath, choice);
  constexpr DWORD kCommonTypes[] = {REG_DWORD, REG_DWORD, REG_SZ, REG_BINARY, REG_QWORD, REG_NONE};
  value.type = choice.ConsumeBool() ? choice.PickValueInArray(kCommonTypes) : choice.ConsumeIntegral<DWORD>();
  const std::size_t length =
      value.type == REG_DWORD && choice.ConsumeBool() ? 4 : choice.ConsumeIntegralInRange<std::size_t>(0, 200);
  value.data = choice.ConsumeBytes<BYTE>(length);
  return value;
}

void CheckReparse(const winapi::Hive& hive, const char* what) {
  winapi::HiveError error;
  const std::optional<winapi::Hive> again = winapi::ParseHive(winapi::SerializeHive(hive), &error);
  if (!again) std::fprintf(stderr, "line %d: %s\n", error.line, error.message.c_str());
  Require(again.has_value() && *again == hive, what);
}

void CheckSetValues(winapi::Hive hive, FuzzedDataProvider& choice) {
  for (int edit = choice.ConsumeIntegralInRange(1, 3); edit > 0 && choice.remaining_bytes() > 0; --edit) {
    const std::string keyPath = ChooseKeyPath(hive, choice);
    const winapi::HiveValue value = ChooseValue(hive, keyPath, choice);
    const winapi::Hive before = hive;
    const bool set = winapi::SetHiveValue(hive, keyPath, value);
    if (!winapi::HiveHasKey(before, keyPath) || !winapi::CanFormatHiveValue(value, before.encoding)) {
      Require(!set && hive == before, "a refused set leaves the hive unchanged");
      continue;
    }
    Require(set, "a value with a formattable name is set in an existing key");
    const winapi::HiveValue* found = winapi::FindHiveValue(hive, keyPath, value.name);
    Require(found && winapi::SameRegistryName(found->name, value.name) && found->type == value.type &&
                found->data == value.data,
            "a set value reads back");
    CheckReparse(hive, "a hive with a set value parses back to the same hive");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  winapi::HiveError error;
  const std::optional<winapi::Hive> hive = winapi::ParseHive(text, &error);
  if (!hive) {
    Require(error.line >= 1 && !error.message.empty(), "a refused text names its line and the fault");
    return 0;
  }
  Require(winapi::SerializeHive(*hive) == text, "an unchanged hive serializes to its own bytes");
  CheckReparse(*hive, "a serialized hive parses back to the same hive");
  FuzzedDataProvider choice(data, size);
  CheckSetValues(*hive, choice);
  return 0;
}
