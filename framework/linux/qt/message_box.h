// The platform's message box as a modal QMessageBox.
#pragma once

#include <string>

#include "framework/linux/winuser.h"

class QWidget;

namespace framework::qt {

// Shows `text` with the caption as given and the buttons of `type` (MB_OK,
// MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL), modal over `owner` (may be null).
// Returns the id of the button pressed. As on the platform, a box without a
// Cancel button other than MB_OK cannot be dismissed with Escape or its close
// box.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption, UINT type);

}  // namespace framework::qt
