#include "framework/linux/resources.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>

#include "base/ascii.h"
#include "base/utf8.h"
#include "framework/linux/string_lookup.h"
#include "framework/linux/window.h"

namespace framework {
namespace {

constexpr LANGID kEnglishUnitedStates = 1033;

LANGID g_resourceLanguage = kEnglishUnitedStates;
constinit res::Module g_module{};

// The languages of the string tables by their language code, for every region
// but those of Chinese, which differ by script.
struct LanguageCode {
  std::string_view code;
  LANGID language;
};
constexpr LanguageCode kLanguages[] = {
    {"de", 1031}, {"en", 1033}, {"es", 3082}, {"fr", 1036}, {"it", 1040},
    {"ja", 1041}, {"ko", 1042}, {"nl", 1043}, {"ru", 1049},
};

constexpr LANGID kChineseTaiwan = 1028, kChinesePrc = 2052, kChineseHongKong = 3076, kChineseSingapore = 4100;

// Chinese by region and script: Taiwan writes Traditional characters, Hong
// Kong and Macau the Hong Kong form of them; the PRC and Singapore write
// Simplified ones. A bare "zh" or another region means Simplified (the PRC).
LANGID ChineseLanguage(std::string_view region, std::string_view script) {
  if (region == "TW") return kChineseTaiwan;
  if (region == "HK" || region == "MO") return kChineseHongKong;
  if (region == "SG") return kChineseSingapore;
  if (region == "CN") return kChinesePrc;
  if (script == "hant") return kChineseTaiwan;
  return kChinesePrc;
}

std::string Uppercase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// Primary language of a LANGID: the same language whatever the region.
constexpr LANGID PrimaryLanguage(LANGID language) { return language & 0x3FF; }

const char* EnglishBoxButtonWord(int buttonId) {
  switch (buttonId) {
    case IDOK:
      return "&OK";
    case IDCANCEL:
      return "&Cancel";
    case IDYES:
      return "&Yes";
    case IDNO:
      return "&No";
    default:
      return "";
  }
}

}  // namespace

void UseModule(const res::Module& module) { g_module = module; }

LANGID ResourceLanguage() { return g_resourceLanguage; }

void SetResourceLanguage(LANGID language) { g_resourceLanguage = language; }

LANGID LanguageFromLocaleName(const std::string& locale) {
  // language[_territory][.codeset][@modifier]; "-" also separates the parts.
  std::string_view name = locale;
  name = name.substr(0, name.find('@'));
  name = name.substr(0, name.find('.'));

  std::string language;
  std::string region;
  std::string script;
  std::size_t part = 0;
  while (!name.empty()) {
    const std::size_t separator = name.find_first_of("_-");
    const std::string_view field = name.substr(0, separator);
    if (part == 0)
      language = base::LowerAscii(field);
    else if (field.size() == 4)
      script = base::LowerAscii(field);
    else if (region.empty())
      region = Uppercase(field);
    name = separator == std::string_view::npos ? std::string_view{} : name.substr(separator + 1);
    ++part;
  }

  if (language == "zh") return ChineseLanguage(region, script);
  for (const LanguageCode& entry : kLanguages)
    if (entry.code == language) return entry.language;
  return kEnglishUnitedStates;  // also "C", "POSIX" and no locale at all
}

LANGID LanguageFromLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LanguageFromLocaleName(value);
  }
  return kEnglishUnitedStates;
}

bool LoadResourceString(UINT nID, std::string& text) {
  const res::StringEntry* entry = res::FindString(g_module.strings, nID, g_resourceLanguage);
  if (!entry) {
    text.clear();
    return false;
  }
  text = entry->text;
  return true;
}

const res::DialogTemplate* FindDialogTemplate(UINT nID) {
  for (const res::DialogTemplate& dialog : g_module.dialogs)
    if (dialog.id == static_cast<int>(nID)) return &dialog;
  return nullptr;
}

HICON LoadResourceIcon(UINT nID) {
  static std::map<const res::IconGroup*, HICON__> loaded;  // one handle per icon for the whole run
  for (const res::IconGroup& group : g_module.icons) {
    if (group.id != static_cast<int>(nID)) continue;
    HICON__& icon = loaded[&group];
    icon.group = &group;
    icon.resourceId = group.id;
    return &icon;
  }
  return nullptr;
}

std::string BoxButtonWord(int buttonId) {
  const res::StringEntry* entry =
      res::FindString(g_module.boxButtons, static_cast<unsigned>(buttonId), g_resourceLanguage);
  // Words of another language than the one in use would be no better than English.
  if (entry == nullptr || PrimaryLanguage(entry->language) != PrimaryLanguage(g_resourceLanguage))
    return EnglishBoxButtonWord(buttonId);
  return entry->text;
}

}  // namespace framework

int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax <= 0) return 0;
  std::string text;
  framework::LoadResourceString(uID, text);
  return static_cast<int>(base::CopyUtf8Cut(text, lpBuffer, static_cast<std::size_t>(cchBufferMax)));
}

HICON LoadIconA(HINSTANCE, LPCSTR lpIconName) {
  // The program's module is the only one; icons are found by number alone.
  const auto value = reinterpret_cast<ULONG_PTR>(lpIconName);
  if (lpIconName == nullptr || value > 0xFFFF) return nullptr;
  return framework::LoadResourceIcon(static_cast<UINT>(value));
}
