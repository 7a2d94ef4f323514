// What the checks read of the program and its world, on the platform that runs
// it: the headless framework over the Linux stand-ins, or the real dialog under
// Wine.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "tests/scenario_tool/script/directive.h"
#include "tests/scenario_tool/tool/dialog_view.h"
#include "winapi/hive.h"

namespace scenario {

class ScenarioPlatform {
 public:
  virtual ~ScenarioPlatform() = default;

  // The main dialog as it is now, or as it was when it ended.
  virtual std::optional<DialogView> MainView() const = 0;
  // The dialog on top, or the main dialog as it was when it ended.
  virtual std::optional<DialogView> TopView() const = 0;
  // The template of the dialog on top; nullopt when none runs.
  virtual std::optional<int> TopDialogId() const = 0;
  virtual int EditMode() const = 0;
  virtual std::string CurrentPort() const = 0;
  // Each kind of handle the program left open ("settings keys", ...) with its count.
  virtual std::vector<std::pair<std::string, int>> OpenHandles() const = 0;
  // The settings store: a hive holding the service key when it exists, or why
  // it cannot be read.
  virtual std::variant<winapi::Hive, std::string> Store() const = 0;
  virtual const std::vector<Bytes>& DeviceWrites() const = 0;
  virtual const std::vector<std::string>& DevconRuns() const = 0;
};

}  // namespace scenario
