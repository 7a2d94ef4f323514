#include "framework/linux/accessible_name.h"

#include <algorithm>

namespace framework {
namespace {

bool NamedByLabel(const HWND__& window) {
  return window.kind == WindowKind::ListBox || window.kind == WindowKind::ComboBox ||
         window.kind == WindowKind::IconStatic;
}

bool IsLabel(const HWND__& window) { return window.kind == WindowKind::Static || window.kind == WindowKind::GroupBox; }

bool EndsLabelSearch(const HWND__& window) {
  return (window.style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP);
}

}  // namespace

const HWND__* LabelOf(const HWND__& window) {
  if (!NamedByLabel(window) || window.parent == nullptr) return nullptr;
  const auto& siblings = window.parent->children;
  auto at = std::find_if(siblings.begin(), siblings.end(), [&](const auto& child) { return child.get() == &window; });
  while (at != siblings.begin()) {
    const HWND__& previous = **--at;
    if (IsLabel(previous)) return &previous;
    if (EndsLabelSearch(previous)) return nullptr;
  }
  return nullptr;
}

std::string AccessibleName(const HWND__& window) {
  if (window.kind == WindowKind::Dialog) return window.text;
  if (!NamedByLabel(window)) return WithoutPrefixMarks(window.text);
  const HWND__* label = LabelOf(window);
  return label != nullptr ? WithoutPrefixMarks(label->text) : std::string();
}

std::string WithoutPrefixMarks(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    out += text[at];
  }
  return out;
}

}  // namespace framework
