// Default processing: what the platform's dialog manager and its list box,
// combo box and static controls do with a message that no handler took.
#pragma once

#include "framework/linux/window.h"

namespace framework {

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace framework
