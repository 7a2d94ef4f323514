// What the Qt backend's tests share: one QApplication for the program, the
// backend in use during each test, and a script of the person's input that
// runs while a dialog's modal loop waits in Qt's event loop.
#pragma once

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "framework/linux/qt/qt_backend.h"

class QMenu;

class QtBackendTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The window of the dialog on top, and the widget of one of its controls;
  // null when no dialog is shown.
  framework::qt::DialogWindow* Window() const;
  QWidget* Control(int id) const;

  std::unique_ptr<framework::qt::QtBackend> m_backend;
};

// The text a control shows: a button's or a label's text, a group box's
// title; empty for the other controls.
QString ShownText(const QWidget* widget);

// The standard buttons a message box offers.
QMessageBox::StandardButtons ButtonsOf(const QMessageBox& box);

// Saves a picture of the widget as `directory`/`fileName`, making the directory
// when it is missing.
bool SavePicture(QWidget& widget, const QString& directory, const QString& fileName);

class InputScript {
 public:
  InputScript();

  // A step that runs once the core has taken every message of the steps before.
  InputScript& Then(std::function<void()> step);
  // A step that runs while a message box is open.
  InputScript& WithBox(std::function<void(QMessageBox&)> step);
  // A step that runs while a popup menu is open.
  InputScript& WithMenu(std::function<void(QMenu&)> step);

  // Starts taking steps from the event loop; the steps run while a modal loop
  // (the dialog's, a box's, a menu's) waits.
  void Start();
  bool Finished() const { return m_steps.empty(); }

 private:
  enum class When { Idle, BoxOpen, MenuOpen };
  struct Step {
    When when;
    std::function<void()> run;
  };
  void Tick();

  std::deque<Step> m_steps;
  QTimer m_timer;
  int m_ticksLeft;
  bool m_stepStarting = false;  // a step has been taken and is about to run
};
