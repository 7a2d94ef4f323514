// The languages a Wine run can be given, each with the user locale (LC_ALL)
// that makes the platform's resource lookup pick its string table: the
// thirteen of the program's string tables, then two with no table of their
// own, for which the lookup falls back.
#pragma once

#include <span>

namespace wine_test {

struct Language {
  unsigned short id;  // LANGID
  const char* locale;
  const char* name;  // as pictures are named
};

inline constexpr Language kLanguages[] = {
    {1028, "zh_TW.UTF-8", "zh-TW"}, {1031, "de_DE.UTF-8", "de"},    {1033, "en_US.UTF-8", "en"},
    {1036, "fr_FR.UTF-8", "fr"},    {1040, "it_IT.UTF-8", "it"},    {1041, "ja_JP.UTF-8", "ja"},
    {1042, "ko_KR.UTF-8", "ko"},    {1043, "nl_NL.UTF-8", "nl"},    {1049, "ru_RU.UTF-8", "ru"},
    {2052, "zh_CN.UTF-8", "zh-CN"}, {3076, "zh_HK.UTF-8", "zh-HK"}, {3082, "es_ES.UTF-8", "es"},
    {4100, "zh_SG.UTF-8", "zh-SG"}, {1045, "pl_PL.UTF-8", "pl"},    {1053, "sv_SE.UTF-8", "sv"},
};

// The thirteen languages of the string tables.
inline constexpr std::span<const Language> kTableLanguages(kLanguages, 13);

}  // namespace wine_test
