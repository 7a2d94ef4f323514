// Icons of the program's resources as Qt icons.
#pragma once

#include <QIcon>

#include "window.h"

namespace framework::qt {

// Every size of an icon group, the deepest colours of each size; an empty icon
// for a null handle.
QIcon IconFromHandle(HICON icon);

// The icon an SS_ICON static shows: the one its template names, or the
// program's own icon where the module lacks that one.
HICON IconOfStatic(HWND iconStatic);

}  // namespace framework::qt
