// Icons of the program's resources as Qt icons.
#pragma once

#include <QIcon>

#include "framework/linux/window.h"

namespace framework::qt {

// Every size of an icon group, the deepest colours of each size; an empty icon
// for a null handle.
QIcon IconFromHandle(HICON icon);

}  // namespace framework::qt
