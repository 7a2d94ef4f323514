#include "framework/linux/qt/dialog_metrics.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include "framework/linux/resource_format.h"

namespace framework::qt {
namespace {

// Faces tried, in order, when the machine lacks the template's face.
constexpr const char* kFallbackFaces[] = {"Noto Sans CJK TC", "Noto Sans CJK SC", "Noto Sans CJK JP",
                                          "Noto Sans CJK KR", "WenQuanYi Micro Hei"};

// a * b / c rounded half away from zero, for the non-negative values of layout.
int MulDiv(int a, int b, int c) { return (2 * a * b + c) / (2 * c); }

}  // namespace

QRect DialogMetrics::ToPixels(const RECT& r) const {
  const int left = MulDiv(r.left, baseX, 4);
  const int top = MulDiv(r.top, baseY, 8);
  const int right = MulDiv(r.right, baseX, 4);
  const int bottom = MulDiv(r.bottom, baseY, 8);
  return QRect(left, top, right - left, bottom - top);
}

QFont DialogFont(const res::DialogTemplate* dialogTemplate) {
  QFont font;
  font.setStyleHint(QFont::SansSerif);
  if (dialogTemplate == nullptr) return font;

  const QString face = QString::fromUtf8(dialogTemplate->faceName);
  if (QFontDatabase::hasFamily(face)) {
    font.setFamily(face);
  } else {
    for (const char* fallback : kFallbackFaces) {
      if (QFontDatabase::hasFamily(QString::fromLatin1(fallback))) {
        font.setFamily(QString::fromLatin1(fallback));
        break;
      }
    }
  }
  if (dialogTemplate->pointSize > 0) font.setPointSize(dialogTemplate->pointSize);
  if (dialogTemplate->weight >= 600) font.setWeight(QFont::Bold);
  font.setItalic(dialogTemplate->italic);
  return font;
}

DialogMetrics MetricsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogMetrics result;
  result.font = font;
  result.baseX = (width / 26 + 1) / 2;
  result.baseY = metrics.height();
  return result;
}

}  // namespace framework::qt
