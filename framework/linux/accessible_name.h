// The name a screen reader reads for a window, by the platform's rule for
// dialog controls. A button, a group box and a text static are named by their
// own text. A list box, a combo box and an icon static show no text of their
// own and are named by their label: walking back from the control in template
// order, the first text static or group box, unless a control that has both
// WS_GROUP and WS_TABSTOP comes first (then it has no label and no name).
// Hidden labels count. '&' prefix marks are taken out ("&&" is one '&'). A
// dialog is named by its caption.
#pragma once

#include <string>
#include <string_view>

#include "framework/linux/window.h"

namespace framework {

std::string AccessibleName(const HWND__& window);

// The control whose text names `window` by the rule above; null for a window
// named by its own text and for a control without a label.
const HWND__* LabelOf(const HWND__& window);

// `text` with its '&' prefix marks taken out: "&&" gives one '&'.
std::string WithoutPrefixMarks(std::string_view text);

}  // namespace framework
