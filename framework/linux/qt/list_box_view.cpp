#include "framework/linux/qt/list_box_view.h"

#include <QMouseEvent>

#include "framework/linux/input.h"

namespace framework::qt {

ListBoxView::ListBoxView(HWND control, QWidget* parent) : QListWidget(parent), ControlView(control) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setTextElideMode(Qt::ElideNone);  // a line too long is cut at the edge, not shortened
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // LBS_DISABLENOSCROLL keeps the scroll bar, disabled while every line fits.
  const bool keepsScrollBar = (control->style & WS_VSCROLL) && (control->style & LBS_DISABLENOSCROLL);
  setVerticalScrollBarPolicy(keepsScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
  if (!(control->style & WS_BORDER)) setFrameShape(QFrame::NoFrame);
}

void ListBoxView::ShowOwnState() {
  const HWND record = Record();
  bool sameLines = count() == static_cast<int>(record->List().items.size());
  for (int i = 0; sameLines && i < count(); ++i) {
    sameLines = item(i)->text() == QString::fromStdString(record->List().items[static_cast<std::size_t>(i)]);
  }
  if (!sameLines) {
    clear();
    for (const std::string& line : record->List().items) addItem(QString::fromStdString(line));
  }
  if (record->List().selection >= 0 && record->List().selection < count()) {
    setCurrentRow(record->List().selection);
    scrollToItem(item(record->List().selection));
  } else {
    clearSelection();
    setCurrentIndex(QModelIndex());
  }
}

void ListBoxView::SelectLineAt(const QPoint& position, bool onlyWhenChanged) {
  const int line = indexAt(position).row();
  if (line < 0 || (onlyWhenChanged && line == Record()->List().selection)) return;
  SelectListLine(Record(), line);
}

// The platform's list box selects on the button going down and follows the
// mouse while it is held; Qt's own selection handling stays out.
void ListBoxView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SelectLineAt(event->position().toPoint(), false);
  event->accept();
}

void ListBoxView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void ListBoxView::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) SelectLineAt(event->position().toPoint(), true);
  event->accept();
}

void ListBoxView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

}  // namespace framework::qt
