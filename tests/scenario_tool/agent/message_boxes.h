// The platform's message boxes over the program: found among the program's
// thread's windows as the enabled dialog window that is no dialog of the
// framework's, read through their controls (control_reader.h), and answered
// by pressing a button.
#pragma once

#include <windows.h>

#include "tests/wine/windows/control_reader.h"

namespace scenario::agent {

// The message box open now, or null. On the program's thread.
HWND OpenMessageBox();

// MB_OK (0) when the box's only button is OK, MB_YESNO (4) for Yes and No.
unsigned BoxType(const wine_test::MessageBoxState& box);

// Presses the box's button `id` (IDOK, IDYES, IDNO) as a click does; false
// when the box has no such button.
bool PressBoxButton(HWND box, int id);

}  // namespace scenario::agent
