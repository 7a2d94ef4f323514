#include "program_record.h"

#include "input.h"

namespace scenario {

std::optional<DialogView> ProgramRecord::MainView() const {
  if (mainDialog != nullptr) return CaptureDialog(mainDialog);
  return mainLastView;
}

std::optional<DialogView> ProgramRecord::TopView() const {
  if (HWND top = framework::TopDialog()) return CaptureDialog(top);
  return mainLastView;
}

}  // namespace scenario
