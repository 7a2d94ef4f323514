// Runs one parsed scenario against the Windows build's real dialog under Wine.
// The world is a WineWorld; the program is the scenario agent (agent/), which
// runs it and acts and looks on the tool's behalf. Lines run in order: world
// changes before `start` that concern the settings key wait for the agent,
// which `start` launches; every action returns once the program waits for the
// person again, its message boxes answered from the queue on the way.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/scenario_tool/tool/scenario_session.h"
#include "tests/scenario_tool/tool/wine/agent_link.h"
#include "tests/scenario_tool/tool/wine/wine_world.h"

namespace scenario {

// The first line that asks for a world Wine cannot make as the Linux side
// does (the tool's README names why), as "LINE: TEXT".
std::optional<std::string> UnmakeableUnderWine(const Script& script);

class WineRun : public ScenarioSession, private ScenarioPlatform {
 public:
  WineRun(const Script& script, std::ostream& out, const WineSetup& setup);

 private:
  void ApplyWorld(const WorldDirective& directive) override;
  void StartProgram() override;
  std::optional<std::string> PerformAction(const Action& action) override;
  const ScenarioPlatform& Platform() const override { return *this; }
  void Poll() override;
  void EndOfScript() override;

  // What the checks read.
  std::optional<DialogView> MainView() const override;
  std::optional<DialogView> TopView() const override;
  std::optional<int> TopDialogId() const override;
  int EditMode() const override;
  std::string CurrentPort() const override;
  std::vector<std::pair<std::string, int>> OpenHandles() const override;
  std::variant<winapi::Hive, std::string> Store() const override;
  const std::vector<Bytes>& DeviceWrites() const override { return m_world.Device().Writes(); }
  const std::vector<std::string>& DevconRuns() const override { return m_world.Devcon().Runs(); }

  // A request whose reply is the program's events: notes them and answers the
  // message boxes that are open; the person's problem, if any.
  std::optional<std::string> Drive(const std::string& request);
  std::optional<DialogView> View(const std::string& which) const;
  std::vector<std::string> Ask(const std::string& request) const;

  WineWorld m_world;
  std::string m_locale = "en_US.UTF-8";
  std::vector<std::string> m_pendingRequests;  // the settings key's, until the agent runs
  mutable std::unique_ptr<AgentLink> m_agent;  // last: the agent ends before the world goes
};

}  // namespace scenario
