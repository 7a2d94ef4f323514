// Qt's own words (the buttons of message boxes, the menus of edit fields) in
// the language of the string table, from Qt's catalogs as the platform words
// its own in the person's language.
#pragma once

#include <QTranslator>
#include <memory>

#include "framework/linux/winuser.h"

namespace framework::qt {

class QtTranslation {
 public:
  QtTranslation() = default;
  ~QtTranslation();
  QtTranslation(const QtTranslation&) = delete;
  QtTranslation& operator=(const QtTranslation&) = delete;

  // Installs Qt's catalog for `language` unless it is the one installed.
  // English, and a language whose catalog is missing, show Qt's own words.
  void Follow(LANGID language);

 private:
  LANGID m_language = 0;  // none followed yet
  std::unique_ptr<QTranslator> m_translator;
};

}  // namespace framework::qt
