// What assistive technology reads of the dialogs through Qt's accessibility:
// a dialog lists only the controls a person can see (the hidden ones are no
// part of it), and a combo box is named by its label, as every other control
// is (the names come from accessible_name.h), with its text as its value.
#pragma once

namespace framework::qt {

// Puts these interfaces in Qt's place for as long as it lives.
class AccessibleInterfaces {
 public:
  AccessibleInterfaces();
  ~AccessibleInterfaces();
  AccessibleInterfaces(const AccessibleInterfaces&) = delete;
  AccessibleInterfaces& operator=(const AccessibleInterfaces&) = delete;
};

}  // namespace framework::qt
