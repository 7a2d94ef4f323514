#include "tests/scenario_tool/script/script_numbers.h"

#include <charconv>

namespace scenario {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <class Number>
std::optional<Number> ParseWhole(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  Number value{};
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::string_view WithoutHexPrefix(std::string_view word) {
  if (word.starts_with("0x") || word.starts_with("0X")) word.remove_prefix(2);
  return word;
}

}  // namespace

std::optional<long long> ParseDecimal(std::string_view word, long long min, long long max) {
  // from_chars takes a minus sign but no plus sign, which is what we want.
  const auto value = ParseWhole<long long>(word, 10);
  if (!value || *value < min || *value > max) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> ParseCommandId(std::string_view word) {
  const std::string_view hex = WithoutHexPrefix(word);
  if (hex.size() != word.size()) return ParseWhole<std::uint32_t>(hex, 16);
  return ParseWhole<std::uint32_t>(word, 10);
}

std::optional<std::uint32_t> ParseHexWord(std::string_view word) {
  const std::string_view hex = WithoutHexPrefix(word);
  if (hex.size() > 8 || hex.starts_with('-') || hex.starts_with('+')) return std::nullopt;
  return ParseWhole<std::uint32_t>(hex, 16);
}

std::optional<Bytes> ParseHexBytes(std::string_view word) {
  if (word.size() % 2 != 0) return std::nullopt;
  Bytes bytes;
  for (std::size_t at = 0; at < word.size(); at += 2) {
    const std::string_view pair = word.substr(at, 2);
    if (pair.starts_with('-') || pair.starts_with('+')) return std::nullopt;
    const auto byte = ParseWhole<std::uint8_t>(pair, 16);
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

std::optional<int> ParsePortNumber(std::string_view word) {
  if (!word.starts_with("COM")) return std::nullopt;
  const std::string_view digits = word.substr(3);
  if (digits.starts_with('0')) return std::nullopt;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
  }
  const auto number = ParseDecimal(digits, 1, 999999);
  if (!number) return std::nullopt;
  return static_cast<int>(*number);
}

bool IsSeconds(std::string_view word) {
  const std::size_t point = word.find('.');
  const std::string_view whole = word.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : word.substr(point + 1);
  if (whole.empty() || whole.size() > 6) return false;
  if (point != std::string_view::npos && fraction.empty()) return false;
  for (std::string_view part : {whole, fraction}) {
    for (char c : part) {
      if (!IsDigit(c)) return false;
    }
  }
  return true;
}

}  // namespace scenario
