// Runs one parsed scenario against the program's own code on the headless
// backend. `start` runs the application; from then on the modal loops ask for
// input whenever they wait, and each time the scenario goes on from where it
// stopped: world changes and checks run at once, and a person's action is
// handed to the loop. After the program has ended the remaining lines run on
// their own.
#pragma once

#include <ostream>

#include "framework/linux/headless/headless_backend.h"
#include "tests/scenario_tool/tool/scenario_session.h"
#include "tests/scenario_tool/tool/world/world.h"

namespace scenario {

class ScenarioRun : public ScenarioSession, private ScenarioPlatform {
 public:
  ScenarioRun(const Script& script, std::ostream& out);
  ~ScenarioRun() override;

 private:
  void ApplyWorld(const WorldDirective& directive) override { m_world.Apply(directive); }
  void StartProgram() override;
  std::optional<std::string> PerformAction(const Action& action) override;
  const ScenarioPlatform& Platform() const override { return *this; }
  void Poll() override;

  // What the checks read.
  std::optional<DialogView> MainView() const override;
  std::optional<DialogView> TopView() const override;
  std::optional<int> TopDialogId() const override;
  int EditMode() const override;
  std::string CurrentPort() const override;
  std::vector<std::pair<std::string, int>> OpenHandles() const override;
  std::variant<winapi::Hive, std::string> Store() const override { return m_world.Hive().Read(); }
  const std::vector<Bytes>& DeviceWrites() const override { return m_world.Device().Writes(); }
  const std::vector<std::string>& DevconRuns() const override { return m_world.Devcon().Runs(); }

  // The framework's calls into the scenario.
  void OnDialogStarted(HWND dialog);
  void OnDialogEnded(HWND dialog);

  World m_world;
  framework::HeadlessBackend m_backend;
  HWND m_mainDialog = nullptr;               // while the main dialog runs
  std::optional<DialogView> m_mainLastView;  // kept as the main dialog ended
};

}  // namespace scenario
