// The font a dialog template asks for and the base units derived from it, which
// turn the template's dialog units into pixels as the platform's dialog manager
// does.
#pragma once

#include <QFont>
#include <QRect>

#include "framework/linux/winuser.h"

namespace res {
struct DialogTemplate;
}

namespace framework::qt {

struct DialogMetrics {
  QFont font;
  int baseX = 4;  // average character width in pixels
  int baseY = 8;  // character height in pixels

  // Each edge is converted on its own (x * baseX / 4, y * baseY / 8, rounded),
  // so adjacent rectangles stay adjacent.
  QRect ToPixels(const RECT& dialogUnits) const;
};

// The template's face where the machine has it, otherwise a sans-serif face
// that covers Chinese, Japanese and Korean, at the template's point size.
QFont DialogFont(const res::DialogTemplate* dialogTemplate);

// Base units of a font: the average width of the 52 Latin letters, and the
// character height.
DialogMetrics MetricsOf(const QFont& font);

}  // namespace framework::qt
