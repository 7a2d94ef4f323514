#include "tests/framework/linux/qt/qt_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "framework/linux/input.h"

namespace {

// A script that cannot go on ends the dialog rather than hang the test.
constexpr int kMostTicks = 20000;

}  // namespace

void QtBackendTest::SetUp() { m_backend = std::make_unique<framework::qt::QtBackend>(); }

void QtBackendTest::TearDown() { m_backend.reset(); }

framework::qt::DialogWindow* QtBackendTest::Window() const { return m_backend->WindowOf(framework::TopDialog()); }

QWidget* QtBackendTest::Control(int id) const {
  framework::qt::DialogWindow* window = Window();
  return window != nullptr ? window->WidgetOf(framework::TopDialog()->Child(id)) : nullptr;
}

QString ShownText(const QWidget* widget) {
  if (const auto* button = dynamic_cast<const QPushButton*>(widget)) return button->text();
  if (const auto* label = dynamic_cast<const QLabel*>(widget)) return label->text();
  if (const auto* group = dynamic_cast<const QGroupBox*>(widget)) return group->title();
  return {};
}

QMessageBox::StandardButtons ButtonsOf(const QMessageBox& box) {
  QMessageBox::StandardButtons buttons;
  for (QAbstractButton* button : box.buttons()) buttons |= box.standardButton(button);
  return buttons;
}

bool SavePicture(QWidget& widget, const QString& directory, const QString& fileName) {
  QDir().mkpath(directory);
  return widget.grab().save(directory + QLatin1Char('/') + fileName);
}

InputScript::InputScript() : m_ticksLeft(kMostTicks) {
  m_timer.setInterval(1);
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
}

InputScript& InputScript::Then(std::function<void()> step) {
  m_steps.push_back({When::Idle, std::move(step)});
  return *this;
}

InputScript& InputScript::WithBox(std::function<void(QMessageBox&)> step) {
  m_steps.push_back({When::BoxOpen, [step = std::move(step)] {
                       step(*dynamic_cast<QMessageBox*>(QApplication::activeModalWidget()));
                     }});
  return *this;
}

InputScript& InputScript::WithMenu(std::function<void(QMenu&)> step) {
  m_steps.push_back(
      {When::MenuOpen, [step = std::move(step)] { step(*dynamic_cast<QMenu*>(QApplication::activePopupWidget())); }});
  return *this;
}

void InputScript::Start() { m_timer.start(); }

void InputScript::Tick() {
  if (m_stepStarting) return;
  if (m_steps.empty()) {
    m_timer.stop();
    return;
  }
  if (--m_ticksLeft == 0) {
    ADD_FAILURE() << "the input script stalled with " << m_steps.size() << " steps left";
    m_steps.clear();
    PostQuitMessage(0);
    return;
  }
  const bool boxOpen = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
  const bool menuOpen = dynamic_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
  bool ready = false;
  switch (m_steps.front().when) {
    case When::Idle:
      ready = !boxOpen && !menuOpen && !framework::HasPendingMessages();
      break;
    case When::BoxOpen:
      ready = boxOpen;
      break;
    case When::MenuOpen:
      ready = menuOpen;
      break;
  }
  if (!ready) return;
  // Run from a posted call, not from the timer: Qt does not fire a timer again
  // inside its own timeout, and a step may open a nested loop (a box, a menu)
  // in which the following steps must run.
  m_stepStarting = true;
  QMetaObject::invokeMethod(
      &m_timer,
      [this, step = std::move(m_steps.front())] {
        m_stepStarting = false;
        step.run();
      },
      Qt::QueuedConnection);
  m_steps.pop_front();
}
