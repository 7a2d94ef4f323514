#include "framework/linux/qt/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "framework/linux/qt/combo_box_view.h"
#include "framework/linux/qt/dialog_window.h"

namespace framework::qt {
namespace {

class DialogAccessible final : public QAccessibleWidget {
 public:
  explicit DialogAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Dialog) {}

  int childCount() const override { return static_cast<int>(Shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> shown = Shown();
    return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr ? static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
  }

 private:
  // The controls in template order, without the hidden ones and the windows
  // the dialog owns.
  QList<QWidget*> Shown() const {
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* control = qobject_cast<QWidget*>(object);
      if (control != nullptr && !control->isWindow() && !control->isHidden()) shown.push_back(control);
    }
    return shown;
  }
};

// Qt names a combo by its text on Linux and leaves the label to the relation;
// here the name is the label's, as the platform gives it, and the text is the
// value. Its children are its list and, with one, its edit field.
class ComboAccessible final : public QAccessibleWidget {
 public:
  explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("activated(int)"));
  }

  QString text(QAccessible::Text which) const override {
    return which == QAccessible::Value ? Combo()->currentText() : QAccessibleWidget::text(which);
  }
  int childCount() const override { return Combo()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Combo()->view());
    if (index == 1 && Combo()->isEditable()) return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == Combo()->view()) return 0;
    return Combo()->isEditable() && child->object() == Combo()->lineEdit() ? 1 : -1;
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = Combo()->view()->isVisible();
    state.editable = Combo()->isEditable();
    return state;
  }
  QStringList actionNames() const override { return {showMenuAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction()) return;
    if (Combo()->view()->isVisible()) {
      Combo()->hidePopup();
    } else {
      Combo()->showPopup();
    }
  }

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* InterfaceOf(const QString&, QObject* object) {
  if (auto* window = dynamic_cast<DialogWindow*>(object)) return new DialogAccessible(window);
  if (auto* combo = dynamic_cast<ComboBoxView*>(object)) return new ComboAccessible(combo);
  return nullptr;
}

}  // namespace

AccessibleInterfaces::AccessibleInterfaces() { QAccessible::installFactory(InterfaceOf); }

AccessibleInterfaces::~AccessibleInterfaces() { QAccessible::removeFactory(InterfaceOf); }

}  // namespace framework::qt
