// The number forms of scenario words. Each gives nullopt for anything else,
// including trailing characters and values out of range.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

// Decimal, with an optional minus sign.
std::optional<long long> ParseDecimal(std::string_view word, long long min, long long max);
// Decimal, or hexadecimal after 0x.
std::optional<std::uint32_t> ParseCommandId(std::string_view word);
// Hexadecimal of one to eight digits, with or without 0x.
std::optional<std::uint32_t> ParseHexWord(std::string_view word);
// An even number of hex digits, each pair one byte; the empty word is no bytes.
std::optional<Bytes> ParseHexBytes(std::string_view word);
// "COMn" with n from 1 on, written without leading zeros: n.
std::optional<int> ParsePortNumber(std::string_view word);
// A non-negative decimal number of seconds, with an optional fraction ("0.5").
bool IsSeconds(std::string_view word);

}  // namespace scenario
