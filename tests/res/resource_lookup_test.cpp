// The platform's resource lookup: the language from the locale, strings with
// the platform's language fallback, and the free functions over them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "framework/linux/resources.h"
#include "framework/linux/string_lookup.h"
#include "framework/linux/window.h"
#include "res/resource_tables.h"

namespace {

class ProgramModule : public ::testing::Environment {
 public:
  void SetUp() override { framework::UseModule(res::ProgramModule()); }
};

[[maybe_unused]] ::testing::Environment* const kProgramModule = ::testing::AddGlobalTestEnvironment(new ProgramModule);

struct LocaleCase {
  const char* locale;
  LANGID language;
};

TEST(ResourceLocale, LocaleNamesOfTheThirteenLanguages) {
  const LocaleCase cases[] = {
      {"zh_TW.UTF-8", 1028},  {"de_DE.UTF-8", 1031},   {"en_US.UTF-8", 1033},      {"fr_FR.UTF-8", 1036},
      {"it_IT", 1040},        {"ja_JP.eucJP", 1041},   {"ko_KR.UTF-8", 1042},      {"nl_NL@euro", 1043},
      {"ru_RU.KOI8-R", 1049}, {"zh_CN.GB18030", 2052}, {"zh_HK.Big5-HKSCS", 3076}, {"es_ES.UTF-8", 3082},
      {"zh_SG", 4100},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(framework::LanguageFromLocaleName(c.locale), c.language) << c.locale;
}

TEST(ResourceLocale, OtherRegionsFallBackToTheirLanguage) {
  const LocaleCase cases[] = {
      {"de_AT.UTF-8", 1031}, {"de_CH", 1031}, {"en_GB.UTF-8", 1033}, {"en_AU", 1033}, {"fr_CA.UTF-8", 1036},
      {"fr_BE@euro", 1036},  {"it_CH", 1040}, {"nl_BE", 1043},       {"ru_UA", 1049}, {"es_MX.UTF-8", 3082},
      {"es_AR", 3082},       {"de", 1031},    {"ja", 1041},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(framework::LanguageFromLocaleName(c.locale), c.language) << c.locale;
}

TEST(ResourceLocale, ChineseByRegionAndScript) {
  const LocaleCase cases[] = {
      {"zh_MO.UTF-8", 3076}, {"zh", 2052},         {"zh_US", 2052},      {"zh-Hant", 1028}, {"zh-Hans", 2052},
      {"zh-Hant-TW", 1028},  {"zh-Hans-SG", 4100}, {"zh-Hant-HK", 3076}, {"zh-TW", 1028},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(framework::LanguageFromLocaleName(c.locale), c.language) << c.locale;
}

TEST(ResourceLocale, SpellingVariantsAndNonLanguages) {
  const LocaleCase cases[] = {
      {"DE_de", 1031}, {"de-DE", 1031}, {"C", 1033},   {"POSIX", 1033},  {"C.UTF-8", 1033}, {"", 1033},
      {"pt_BR", 1033}, {"sv_SE", 1033}, {"_DE", 1033}, {".UTF-8", 1033}, {"@euro", 1033},
  };
  for (const LocaleCase& c : cases) EXPECT_EQ(framework::LanguageFromLocaleName(c.locale), c.language) << c.locale;
}

// Sets the locale variables for one test and restores them afterwards.
class ResourceLocaleEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (std::size_t i = 0; i < std::size(kVariables); ++i)
      Set(kVariables[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
  }
  static void Set(const char* name, const char* value) {
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  static void SetAll(const char* all, const char* messages, const char* lang) {
    Set("LC_ALL", all);
    Set("LC_MESSAGES", messages);
    Set("LANG", lang);
  }
  static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::optional<std::string>> m_saved;
};

TEST_F(ResourceLocaleEnvironment, FirstNonEmptyOfLcAllLcMessagesLang) {
  SetAll("ja_JP.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8");
  EXPECT_EQ(framework::LanguageFromLocale(), 1041);
  SetAll("", "fr_FR.UTF-8", "de_DE.UTF-8");
  EXPECT_EQ(framework::LanguageFromLocale(), 1036);
  SetAll(nullptr, "", "de_DE.UTF-8");
  EXPECT_EQ(framework::LanguageFromLocale(), 1031);
  SetAll(nullptr, nullptr, nullptr);
  EXPECT_EQ(framework::LanguageFromLocale(), 1033);
  SetAll("C", nullptr, "de_DE.UTF-8");
  EXPECT_EQ(framework::LanguageFromLocale(), 1033) << "LC_ALL=C overrides LANG";
}

// Keeps the process-wide resource language of one test from leaking into the next.
class ResourceLookup : public ::testing::Test {
 protected:
  void SetUp() override { m_saved = framework::ResourceLanguage(); }
  void TearDown() override { framework::SetResourceLanguage(m_saved); }
  static std::string Load(UINT id) {
    std::string text;
    EXPECT_TRUE(framework::LoadResourceString(id, text)) << id;
    return text;
  }
  LANGID m_saved = 0;
};

TEST_F(ResourceLookup, EnglishUnitedStatesByDefault) {
  framework::SetResourceLanguage(framework::LanguageFromLocaleName(""));
  EXPECT_EQ(Load(116), "Quit");
}

TEST_F(ResourceLookup, StringsFollowTheLanguageInUse) {
  framework::SetResourceLanguage(1031);
  EXPECT_EQ(framework::ResourceLanguage(), 1031);
  EXPECT_EQ(Load(116), "Beenden");
  EXPECT_EQ(Load(118), "TAVRIN restart success!");
  framework::SetResourceLanguage(1028);
  EXPECT_EQ(Load(110), "初始掃描鮑率");
  framework::SetResourceLanguage(1041);
  EXPECT_EQ(Load(103).back(), '\n');
}

TEST_F(ResourceLookup, LanguagesWithoutTableFallBack) {
  framework::SetResourceLanguage(0x0807);  // German (Switzerland)
  EXPECT_EQ(Load(116), "Beenden");
  framework::SetResourceLanguage(0x0809);  // English (United Kingdom)
  EXPECT_EQ(Load(116), "Quit");
  framework::SetResourceLanguage(0x0416);  // Portuguese (Brazil)
  EXPECT_EQ(Load(116), "Quit");
  framework::SetResourceLanguage(0x1404);  // Chinese (Macau): a Traditional table
  EXPECT_EQ(Load(117), "重新啟動 TAVRIN");
}

TEST_F(ResourceLookup, MissingStringLoadsEmpty) {
  for (UINT id : {0u, 100u, 119u, 61440u, 65535u, 70000u}) {
    std::string text = "previous";
    EXPECT_FALSE(framework::LoadResourceString(id, text)) << id;
    EXPECT_EQ(text, "") << id;
  }
}

TEST(ResourceStringFallback, ChoiceAmongLanguages) {
  const res::StringEntry table[] = {
      {1031, 1, "de"},           {3079, 1, "de-AT"}, {1033, 1, "en"},  // German, Austrian German, English
      {3079, 2, "de-AT"},        {1033, 2, "en"},                      // no German (Germany)
      {1036, 3, "fr"},           {1041, 3, "ja"},                      // neither German nor English
      {1028, 4, "zh-TW"},        {2052, 4, "zh-CN"},                   // Chinese by script
      {0x0007, 5, "de-neutral"}, {1031, 5, "de"},                      // a neutral German table
  };
  auto find = [&](unsigned id, std::uint16_t language) -> std::string {
    const res::StringEntry* entry = res::FindString(table, id, language);
    return entry ? entry->text : "<none>";
  };
  EXPECT_EQ(find(1, 3079), "de-AT") << "exact language";
  EXPECT_EQ(find(1, 2055), "de") << "default region of the language before another region";
  EXPECT_EQ(find(2, 2055), "de-AT") << "another region before English";
  EXPECT_EQ(find(2, 1049), "en") << "English when the language has no table";
  EXPECT_EQ(find(3, 1049), "fr") << "any language when not even English has it";
  EXPECT_EQ(find(4, 4100), "zh-CN") << "Singapore reads Simplified";
  EXPECT_EQ(find(4, 3076), "zh-TW") << "Hong Kong reads Traditional";
  EXPECT_EQ(find(5, 2055), "de-neutral") << "the neutral table of the language first";
  EXPECT_EQ(find(6, 1033), "<none>");
}

TEST_F(ResourceLookup, LoadStringCopiesWithTruncationAndTerminator) {
  framework::SetResourceLanguage(1033);
  char buffer[16];
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "Quit");
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 5), 4);
  EXPECT_STREQ(buffer, "Quit");
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 4), 3);
  EXPECT_STREQ(buffer, "Qui");
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 1), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(ResourceLookup, LoadStringNeverSplitsACharacter) {
  framework::SetResourceLanguage(1028);
  char buffer[8];
  // "離開" is two characters of three bytes each.
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 7), 6);
  EXPECT_STREQ(buffer, "離開");
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 6), 3);
  EXPECT_STREQ(buffer, "離");
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 3), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(ResourceLookup, LoadStringOfMissingStringOrNoBuffer) {
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(LoadStringA(nullptr, 119, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  buffer[0] = 'x';
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, 0), 0);
  EXPECT_EQ(buffer[0], 'x') << "a zero-sized buffer is not written";
  EXPECT_EQ(LoadStringA(nullptr, 116, nullptr, 8), 0);
}

TEST(ResourceIconHandle, OneSharedHandlePerIcon) {
  const HICON icon = LoadIconA(nullptr, MAKEINTRESOURCE(128));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->resourceId, 128);
  EXPECT_EQ(icon->group, res::FindIcon(128));
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(128)), icon);
  EXPECT_EQ(framework::LoadResourceIcon(128), icon);
}

TEST(ResourceIconHandle, MissingOrNamedIconsGiveNull) {
  EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCE(129)), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, "IDR_MAINFRAME"), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, nullptr), nullptr);
  EXPECT_EQ(framework::LoadResourceIcon(0), nullptr);
}

TEST(ResourceDialogLookup, TemplatesByNumber) {
  EXPECT_EQ(framework::FindDialogTemplate(102), res::FindDialog(102));
  EXPECT_NE(framework::FindDialogTemplate(100), nullptr);
  EXPECT_EQ(framework::FindDialogTemplate(30721), nullptr);
}

}  // namespace
