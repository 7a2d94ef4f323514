#include "framework/linux/qt/static_views.h"

#include "framework/linux/qt/icons.h"

namespace framework::qt {
namespace {

QSize SystemIconSize() { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

}  // namespace

TextStaticView::TextStaticView(HWND control, QWidget* parent) : QLabel(parent), ControlView(control) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);  // statics wrap their text at word boundaries
  const bool centred = (control->style & SS_TYPEMASK) == SS_CENTER;
  setAlignment(Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft));
}

void TextStaticView::ShowOwnState() { setText(QString::fromStdString(Record()->text)); }

IconStaticView::IconStaticView(HWND control, QWidget* parent) : QLabel(parent), ControlView(control) {
  if (control->Icon().icon != nullptr) setPixmap(IconFromHandle(control->Icon().icon).pixmap(SystemIconSize()));
}

void IconStaticView::Place(const QRect& templateRect) {
  setGeometry(Record()->Icon().icon != nullptr ? QRect(templateRect.topLeft(), SystemIconSize()) : templateRect);
}

}  // namespace framework::qt
