#include "framework/linux/qt/combo_box_view.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "framework/linux/input.h"

namespace framework::qt {

ComboBoxView::ComboBoxView(HWND control, QWidget* parent) : QComboBox(parent), ControlView(control) {
  setEditable(control->HasEditField());
  connect(this, &QComboBox::activated, this, [this](int index) { ChooseComboItem(Record(), index); });
  if (QLineEdit* edit = lineEdit()) {
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // QComboBox would pick the item that matches the typed text on Enter or
    // when editing finishes; typed text is never a selection here.
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
    disconnect(edit, &QLineEdit::returnPressed, this, nullptr);
    connect(edit, &QLineEdit::textEdited, this,
            [this](const QString& text) { TypeComboText(Record(), text.toStdString().c_str()); });
  }
}

KeyTarget ComboBoxView::KeyTargetKind() const {
  return Record()->HasEditField() ? KeyTarget::DropDown : KeyTarget::DropDownList;
}

void ComboBoxView::Place(const QRect& templateRect) {
  const int fieldHeight = sizeHint().height();
  setGeometry(templateRect.x(), templateRect.y(), templateRect.width(), fieldHeight);
  const int lineHeight = std::max(1, fontMetrics().height());
  setMaxVisibleItems(std::max(1, (templateRect.height() - fieldHeight) / lineHeight));
}

bool ComboBoxView::PopupShown() const { return view() != nullptr && view()->isVisible(); }

void ComboBoxView::showPopup() {
  QComboBox::showPopup();
  view()->window()->installEventFilter(this);
  if (!Record()->Combo().droppedDown) SetComboDropped(Record(), true);
}

bool ComboBoxView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched == view()->window() && Record()->Combo().droppedDown) {
    SetComboDropped(Record(), false);
  }
  return QComboBox::eventFilter(watched, event);
}

void ComboBoxView::ShowOwnState() {
  const HWND record = Record();
  bool sameItems = count() == static_cast<int>(record->List().items.size());
  for (int i = 0; sameItems && i < count(); ++i) {
    sameItems = itemText(i) == QString::fromStdString(record->List().items[static_cast<std::size_t>(i)]);
  }
  if (!sameItems) {
    clear();
    for (const std::string& item : record->List().items) addItem(QString::fromStdString(item));
  }
  setCurrentIndex(record->List().selection >= 0 && record->List().selection < count() ? record->List().selection : -1);
  if (QLineEdit* edit = lineEdit()) {
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdString(record->Combo().editText));
  }
  if (record->Combo().droppedDown != PopupShown()) {
    if (record->Combo().droppedDown) {
      showPopup();
    } else {
      hidePopup();
    }
  }
  // The open list marks the item the core has selected (the keys choose
  // there, and typed text follows an item).
  if (PopupShown()) view()->setCurrentIndex(model()->index(currentIndex(), 0));
}

}  // namespace framework::qt
