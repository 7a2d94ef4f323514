// The platform's resource lookup: strings in the language in use, dialog
// templates and icons of the program's module. The language is chosen once at
// start-up from the process locale; nothing in the program reads a locale
// itself.
#pragma once

#include <string>

#include "framework/linux/resource_format.h"
#include "framework/linux/winuser.h"

namespace framework {

// The module whose resources every lookup reads; the program names it once,
// before it makes its first window. Until then the module holds nothing.
void UseModule(const res::Module& module);

// The LANGID whose string table LoadString reads. Defaults to 1033.
LANGID ResourceLanguage();
void SetResourceLanguage(LANGID language);

// The language of the process locale (LC_ALL, then LC_MESSAGES, then LANG),
// mapped to a LANGID of the program's string tables with the platform's
// fallback: the same language in another region, else 1033.
LANGID LanguageFromLocale();
// The same for one locale name such as "de_DE.UTF-8", "zh_TW" or "C".
LANGID LanguageFromLocaleName(const std::string& locale);

// String nID in the language in use, with the platform's fallback; a string
// missing in every language gives false and an empty text.
bool LoadResourceString(UINT nID, std::string& text);

// The dialog template of nID (the templates exist in one language).
const res::DialogTemplate* FindDialogTemplate(UINT nID);

// Icon nID as a shared handle, never destroyed; null when there is none.
HICON LoadResourceIcon(UINT nID);

// The word of message box button `buttonId` (IDOK, IDCANCEL, IDYES, IDNO) in
// the language in use, with "&" before the key that presses it; the
// framework's English where the module has no words in that language.
std::string BoxButtonWord(int buttonId);

}  // namespace framework
