// What dialog-inspector.exe printed, read back: the windows it looked at in
// order (the launched program's first window, then each window it found over
// the dialog), the texts of the message boxes it read and the program's exit
// code.
#pragma once

#include <string>
#include <vector>

namespace wine_test {

struct InspectedControl {
  int id = 0;
  int missingGlyphs = 0;
  std::string text;
  int textWidth = 0;  // the text on one line, in pixels
  int textRoom = 0;   // the width the control gives it

  bool Cut() const { return textWidth > textRoom; }
};

struct InspectedWindow {
  std::string caption;
  std::vector<InspectedControl> controls;

  const InspectedControl* Control(int id) const;  // the first with that id
};

struct InspectorReport {
  std::vector<InspectedWindow> windows;
  std::vector<std::string> boxTexts;  // of the message boxes read, in order
  int exitCode = -1;
  std::string error;  // the inspector's own failure, if any
};

InspectorReport ParseInspectorReport(const std::string& output);

}  // namespace wine_test
