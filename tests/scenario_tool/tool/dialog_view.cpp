#include "tests/scenario_tool/tool/dialog_view.h"

#include "dialog/port_setup_dlg.h"
#include "framework/linux/accessible_name.h"

namespace scenario {
namespace {

// A combo's text is what its edit field shows (the selected item's text in a
// drop-down list), as the platform's WM_GETTEXT answers.
ControlView CaptureControl(const HWND__& window, int id) {
  using framework::WindowKind;
  const bool isList = window.kind == WindowKind::ListBox || window.kind == WindowKind::ComboBox;
  const std::string& text = window.kind == WindowKind::ComboBox ? window.Combo().editText : window.text;
  HICON icon = nullptr;
  if (window.kind == WindowKind::Dialog) icon = window.Dialog().bigIcon;
  if (window.kind == WindowKind::IconStatic) icon = window.Icon().icon;
  return ControlView{id,
                     window.kind,
                     text,
                     window.enabled,
                     window.visible,
                     isList ? window.List().items : std::vector<std::string>{},
                     isList ? window.List().selection : -1,
                     icon != nullptr,
                     framework::AccessibleName(window)};
}

}  // namespace

const ControlView* DialogView::Find(int id) const {
  if (id == 0) return &self;
  for (const ControlView& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

DialogView CaptureDialog(HWND dialog) {
  DialogView view;
  view.templateId = dialog->id;
  view.self = CaptureControl(*dialog, 0);
  for (const auto& child : dialog->children) view.controls.push_back(CaptureControl(*child, child->id));
  if (dialog->Dialog().focus == dialog) {
    view.focusId = 0;
  } else if (dialog->Dialog().focus != nullptr) {
    view.focusId = dialog->Dialog().focus->id;
  }
  view.systemMenu = dialog->Dialog().systemMenu;
  if (const auto* main = dynamic_cast<const CPortSetupDlg*>(dialog->wrapper)) view.dirtyFlag = main->DirtyFlag();
  return view;
}

}  // namespace scenario
