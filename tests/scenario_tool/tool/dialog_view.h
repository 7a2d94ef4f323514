// What a person could see of one dialog at one moment: its own state and that
// of each control. Taken from the live windows, or kept when the main dialog
// ends so that checks after the end still see its last state.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/linux/window.h"

namespace scenario {

struct ControlView {
  int id = 0;  // 0 for the dialog itself
  framework::WindowKind kind = framework::WindowKind::Static;
  std::string text;
  bool enabled = false;
  bool visible = false;
  std::vector<std::string> items;
  int selection = -1;
  bool showsIcon = false;  // an icon static's picture; the dialog's own (big) icon
  std::string name;        // what a screen reader reads for it
};

struct DialogView {
  int templateId = 0;
  ControlView self;  // the dialog as control 0: its caption, enabled, visible
  std::vector<ControlView> controls;
  std::optional<int> focusId;  // nullopt: no focus; 0: the dialog itself
  std::vector<framework::MenuItem> systemMenu;
  std::optional<int> dirtyFlag;  // the main dialog's

  // Control `id`, the dialog itself for 0, or null.
  const ControlView* Find(int id) const;
};

DialogView CaptureDialog(HWND dialog);

}  // namespace scenario
