// The dialog's system menu as a popup: the platform's own items of a dialog
// (Move, Close) followed by the items the program appended.
#pragma once

#include <QPoint>
#include <optional>

#include "framework/linux/window.h"

class QWidget;

namespace framework::qt {

// Shows the menu at a point of the screen until the person chooses or leaves
// it; returns the chosen command id.
std::optional<UINT> ChooseFromSystemMenu(QWidget* window, HWND dialog, QPoint globalPosition);

}  // namespace framework::qt
