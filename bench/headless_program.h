// The program's own application object run on the headless backend, as the
// benchmark and the robustness tests drive it: whenever the dialog waits for
// the person, a step function may post input through input.h. Diagnostic
// lines go to a sink that discards them; message boxes take the backend's
// default answers (OK, or No) and are recorded.
#pragma once

#include <functional>
#include <vector>

#include "framework/linux/headless/headless_backend.h"

namespace bench {

class HeadlessProgram {
 public:
  HeadlessProgram();
  ~HeadlessProgram();
  HeadlessProgram(const HeadlessProgram&) = delete;
  HeadlessProgram& operator=(const HeadlessProgram&) = delete;

  // Runs the application once. `atIdle` gets the dialog on top each time it
  // waits for input; it posts input and returns true, or returns false to end
  // the dialog as on a quit request. Returns the application's exit code.
  int Run(const std::function<bool(HWND dialog)>& atIdle);

  const std::vector<framework::HeadlessBackend::Box>& Boxes() const { return m_backend.Boxes(); }

 private:
  framework::HeadlessBackend m_backend;
};

}  // namespace bench
