#include "framework/linux/qt/qt_backend.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QWindow>
#include <algorithm>

#include "framework/linux/input.h"
#include "framework/linux/qt/key_routing.h"
#include "framework/linux/qt/message_box.h"
#include "framework/linux/resources.h"

namespace framework::qt {
namespace {

// The characters a key typed, without control characters.
std::string PrintableText(const QString& text) {
  QString printable;
  for (const QChar character : text) {
    if (character.isPrint()) printable += character;
  }
  return printable.toStdString();
}

// Where a key to a widget of the window goes; a key in a combo's open list
// is the combo's.
KeyRoute RouteOf(const DialogWindow& window, const QWidget* receiver, const QKeyEvent& event) {
  const ControlView* view = window.ViewOf(receiver);
  const bool popupOpen = receiver->window() != &window;
  return RouteKey(event.key(), event.modifiers(), view != nullptr ? view->KeyTargetKind() : KeyTarget::None, popupOpen);
}

// The open list of a combo is a window of its own whose parent is the combo.
bool IsComboPopup(const QWidget* widget) {
  return widget->isWindow() && dynamic_cast<const QComboBox*>(widget->parentWidget()) != nullptr;
}

// The dialog window a widget belongs to, also from a combo's open list; null
// for widgets of other windows (message boxes, menus).
DialogWindow* DialogWindowOf(QObject* object) {
  if (!object->isWidgetType()) return nullptr;
  for (auto* widget = static_cast<QWidget*>(object); widget != nullptr; widget = widget->parentWidget()) {
    if (auto* dialog = dynamic_cast<DialogWindow*>(widget)) return dialog;
    if (widget->isWindow() && !IsComboPopup(widget)) return nullptr;
  }
  return nullptr;
}

void CentreOver(QWidget& window, const QWidget* owner) {
  QRect area;
  if (owner != nullptr) {
    area = owner->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  QRect placed(QPoint(0, 0), window.size());
  placed.moveCenter(area.center());
  window.move(placed.topLeft());
}

}  // namespace

QtBackend::QtBackend() {
  // The classic look of the platform's dialogs, where Qt has it.
  if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) QApplication::setStyle(classic);
  QCoreApplication::instance()->installEventFilter(this);
}

QtBackend::~QtBackend() {
  QCoreApplication::instance()->removeEventFilter(this);
  // Owned windows are Qt children of their owner's window: innermost first.
  while (!m_windows.empty()) m_windows.pop_back();
}

bool QtBackend::WaitForInput() {
  while (!HasPendingMessages()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

int QtBackend::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  m_translation.Follow(ResourceLanguage());
  // An open combo list would stay over the box and keep the mouse.
  if (QWidget* popup = QApplication::activePopupWidget()) {
    if (auto* combo = dynamic_cast<QComboBox*>(popup->parentWidget())) {
      combo->hidePopup();
    } else {
      popup->close();
    }
  }
  return ShowMessageBox(WindowOf(owner), text, caption, type);
}

void QtBackend::DialogStarted(HWND dialog) {
  m_translation.Follow(ResourceLanguage());
  QWidget* owner = WindowOf(dialog->parent);
  if (owner == nullptr && !m_windows.empty()) owner = m_windows.back().get();
  auto window = std::make_unique<DialogWindow>(dialog, owner);
  CentreOver(*window, owner);
  // A modal dialog is shown when it runs, whatever its style.
  window->show();
  window->raise();
  window->activateWindow();
  window->ShowFocus();  // Qt gives the focus of a window once it is shown
  m_windows.push_back(std::move(window));
}

void QtBackend::DialogEnded(HWND dialog) {
  const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                  [dialog](const auto& window) { return window->Record() == dialog; });
  if (found == m_windows.end()) return;
  m_windows.erase(found);
  if (!m_windows.empty()) m_windows.back()->activateWindow();
}

void QtBackend::WindowChanged(HWND window) {
  const HWND dialog = window->kind == WindowKind::Dialog ? window : window->parent;
  if (DialogWindow* shown = WindowOf(dialog)) shown->ShowState(window);
}

void QtBackend::WaitCursorChanged(bool waiting) {
  if (waiting) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  // The core is about to block (or has just stopped); let the cursor reach the
  // screen without taking the person's input meanwhile.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A page is the lines a list shows whole, or a combo's open list.
int QtBackend::PageLines(HWND control) {
  DialogWindow* window = WindowOf(control->parent);
  QWidget* widget = window != nullptr ? window->WidgetOf(control) : nullptr;
  if (auto* list = dynamic_cast<QListWidget*>(widget); list != nullptr && list->count() > 0) {
    const int rowHeight = list->sizeHintForRow(0);
    if (rowHeight > 0) return std::max(list->viewport()->height() / rowHeight, 1);
  }
  if (auto* combo = dynamic_cast<QComboBox*>(widget)) return std::max(combo->maxVisibleItems(), 1);
  return Backend::PageLines(control);
}

void QtBackend::OpenSystemMenu(HWND dialog) {
  if (DialogWindow* window = WindowOf(dialog)) window->ShowSystemMenuAt(window->mapToGlobal(QPoint(0, 0)));
}

void QtBackend::BeginMove(HWND dialog) {
  DialogWindow* window = WindowOf(dialog);
  if (window != nullptr && window->windowHandle() != nullptr) window->windowHandle()->startSystemMove();
}

DialogWindow* QtBackend::WindowOf(HWND dialog) const {
  for (const auto& window : m_windows) {
    if (window->Record() == dialog) return window.get();
  }
  return nullptr;
}

bool QtBackend::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::FocusIn) return false;
  DialogWindow* window = DialogWindowOf(watched);
  if (window == nullptr || WindowOf(window->Record()) == nullptr) return false;
  auto* receiver = static_cast<QWidget*>(watched);
  if (type == QEvent::FocusIn) {
    NoteFocusIn(*window, receiver, static_cast<const QFocusEvent&>(*event));
    return false;
  }
  auto& key = static_cast<QKeyEvent&>(*event);
  // A combo's open list acts on some keys (Enter, F4) as they are announced;
  // a key that goes to the core is taken away from it then, and comes as a
  // key press after.
  if (type == QEvent::ShortcutOverride) {
    if (RouteOf(*window, receiver, key).action == KeyRoute::Action::LeaveToQt) return false;
    key.accept();
    return true;
  }
  return RouteKeyPress(*window, receiver, key);
}

bool QtBackend::RouteKeyPress(DialogWindow& window, QWidget* receiver, const QKeyEvent& event) {
  ControlView* view = window.ViewOf(receiver);
  const KeyRoute route = RouteOf(window, receiver, event);
  switch (route.action) {
    case KeyRoute::Action::LeaveToQt:
      return false;
    case KeyRoute::Action::Swallow:
      return true;
    case KeyRoute::Action::TypeText:
      TypeCharacters(window.Record(), PrintableText(event.text()));
      return true;
    case KeyRoute::Action::PressKey:
    case KeyRoute::Action::SystemCommand:
      break;
  }
  if (route.closesPopup && view != nullptr) {
    if (auto* combo = dynamic_cast<QComboBox*>(view->Widget())) combo->hidePopup();
  }
  if (route.action == KeyRoute::Action::PressKey) {
    PressKey(window.Record(), route.code, route.shift, route.alt);
  } else {
    SystemCommand(window.Record(), route.code);
  }
  return true;
}

// A click moves the focus on the platform too; other focus moves of Qt's own
// (window activation, a disabled widget passing it on) are not the person's.
void QtBackend::NoteFocusIn(DialogWindow& window, QWidget* receiver, const QFocusEvent& event) {
  if (window.ShowingState() || event.reason() != Qt::MouseFocusReason) return;
  const ControlView* view = window.ViewOf(receiver);
  if (view != nullptr && window.Record()->Dialog().focus != view->Record()) SetFocusTo(view->Record());
}

}  // namespace framework::qt
