// What dialog-inspector.exe printed, read back: the windows it looked at in
// order (the launched program's first window, then each window it found over
// the dialog), the list lines, the times and the program's exit code.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace wine_test {

struct InspectedControl {
  int id = 0;
  std::string className;
  bool visible = false;
  bool enabled = false;
  int missingGlyphs = 0;
  std::string text;
};

struct InspectedWindow {
  std::string caption;
  std::vector<InspectedControl> controls;

  const InspectedControl* Control(int id) const;  // the first with that id
  // The text of a message box (its static control -1) and its shown buttons.
  std::string BoxText() const;
  std::vector<int> Buttons() const;
};

struct InspectorReport {
  std::vector<InspectedWindow> windows;
  std::map<int, std::vector<std::string>> lines;  // by list or combo box id
  long launchMs = -1;
  long sentMs = -1;
  int exitCode = -1;
  std::string error;  // the inspector's own failure, if any
};

InspectorReport ParseInspectorReport(const std::string& output);

}  // namespace wine_test
