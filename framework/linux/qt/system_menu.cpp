#include "framework/linux/qt/system_menu.h"

#include <QMenu>

namespace framework::qt {
namespace {

void AddCommand(QMenu& menu, const QString& text, UINT_PTR id, bool enabled) {
  QAction* action = menu.addAction(text);
  action->setData(QVariant::fromValue<qulonglong>(id));
  action->setEnabled(enabled);
}

}  // namespace

std::optional<UINT> ChooseFromSystemMenu(QWidget* window, HWND dialog, QPoint globalPosition) {
  QMenu menu(window);
  AddCommand(menu, QStringLiteral("&Move"), SC_MOVE, true);
  menu.addSeparator();
  AddCommand(menu, QStringLiteral("&Close\tAlt+F4"), SC_CLOSE, true);
  for (const MenuItem& item : dialog->Dialog().systemMenu) {
    if (item.flags & MF_SEPARATOR) {
      menu.addSeparator();
    } else {
      AddCommand(menu, QString::fromStdString(item.text), item.id, !(item.flags & MF_GRAYED));
    }
  }
  const QAction* chosen = menu.exec(globalPosition);
  if (chosen == nullptr) return std::nullopt;
  return static_cast<UINT>(chosen->data().toULongLong());
}

}  // namespace framework::qt
