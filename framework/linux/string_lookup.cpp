#include "framework/linux/string_lookup.h"

namespace res {
namespace {

constexpr std::uint16_t kPrimaryMask = 0x3FF;
constexpr std::uint16_t kLangChinese = 0x04;
constexpr std::uint16_t kSublangNeutral = 0x00;
constexpr std::uint16_t kSublangDefault = 0x01;
constexpr std::uint16_t kEnglishUnitedStates = 0x0409;

std::uint16_t Primary(std::uint16_t language) { return language & kPrimaryMask; }
std::uint16_t Sublanguage(std::uint16_t language) { return static_cast<std::uint16_t>(language >> 10); }
std::uint16_t MakeLanguage(std::uint16_t primary, std::uint16_t sublanguage) {
  return static_cast<std::uint16_t>((sublanguage << 10) | primary);
}

// Chinese sublanguages by script: Taiwan, Hong Kong and Macau write Traditional
// characters, the PRC and Singapore Simplified ones; 0 is the neutral form.
int ChineseScript(std::uint16_t language) {
  switch (Sublanguage(language)) {
    case 0x01:
    case 0x03:
    case 0x05:
      return 1;
    case 0x02:
    case 0x04:
      return 2;
    default:
      return 0;
  }
}

// How well a table in `candidate` serves `wanted`: lower is better.
int Rank(std::uint16_t candidate, std::uint16_t wanted) {
  if (candidate == wanted) return 0;
  const std::uint16_t primary = Primary(wanted);
  if (Primary(candidate) == primary) {
    if (primary == kLangChinese && ChineseScript(wanted) != 0 && ChineseScript(candidate) == ChineseScript(wanted))
      return 1;
    if (candidate == MakeLanguage(primary, kSublangNeutral)) return 2;
    if (candidate == MakeLanguage(primary, kSublangDefault)) return 3;
    return 4;
  }
  if (candidate == kEnglishUnitedStates) return 5;
  return 6;
}

}  // namespace

const StringEntry* FindString(std::span<const StringEntry> table, unsigned id, std::uint16_t language) {
  const StringEntry* best = nullptr;
  int bestRank = 0;
  for (const StringEntry& entry : table) {
    if (entry.id != id) continue;
    const int rank = Rank(entry.language, language);
    if (!best || rank < bestRank) {
      best = &entry;
      bestRank = rank;
    }
  }
  return best;
}

}  // namespace res
