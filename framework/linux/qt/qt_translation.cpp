#include "framework/linux/qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace framework::qt {
namespace {

// Qt's catalog of each language of the string table. Hong Kong Chinese takes
// Taiwan's Traditional one, Singapore Chinese the PRC's Simplified one.
struct Catalog {
  LANGID language;
  const char* name;
};
constexpr Catalog kCatalogs[] = {
    {1028, "zh_TW"}, {1031, "de"}, {1036, "fr"},    {1040, "it"},    {1041, "ja"}, {1042, "ko"},
    {1043, "nl"},    {1049, "ru"}, {2052, "zh_CN"}, {3076, "zh_TW"}, {3082, "es"}, {4100, "zh_CN"},
};

const char* CatalogOf(LANGID language) {
  for (const Catalog& catalog : kCatalogs) {
    if (catalog.language == language) return catalog.name;
  }
  return nullptr;
}

}  // namespace

QtTranslation::~QtTranslation() {
  if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
}

void QtTranslation::Follow(LANGID language) {
  if (language == m_language) return;
  m_language = language;
  if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
  m_translator.reset();
  const char* catalog = CatalogOf(language);
  if (catalog == nullptr) return;
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + QLatin1String(catalog),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return;
  }
  QCoreApplication::installTranslator(translator.get());
  m_translator = std::move(translator);
}

}  // namespace framework::qt
