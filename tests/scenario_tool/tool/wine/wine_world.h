// The small machine of a scenario under Wine: a Wine prefix of the run's own,
// copied from the template prefix of the Wine tests (made once per test run),
// with its server running while the world lives, a virtual display,
// serial ports and the control device laid into the prefix's dosdevices, and
// the device console tool in a folder on Wine's path. The settings key lives
// in the prefix's registry and is made by the agent (wine_run.h). Everything
// is removed again, and every Wine process of the prefix ended, when the world
// goes.
#pragma once

#include <string>
#include <vector>

#include "tests/scenario_tool/tool/world/control_device.h"
#include "tests/scenario_tool/tool/world/devcon_stub.h"
#include "tests/scenario_tool/tool/world/serial_ports.h"
#include "tests/scenario_tool/tool/world/world.h"
#include "tests/support/temp_directory.h"
#include "tests/wine/virtual_display.h"
#include "tests/wine/wine_prefix.h"

namespace scenario {

struct WineSetup {
  std::string agentProgram;    // portsetup-agent.exe
  std::string devconProgram;   // the scenarios' devcon.exe
  std::string templatePrefix;  // made by prepareScript when it does not exist
  std::string prepareScript;   // the Wine tests' make_prefix.sh
};

class WineWorld {
 public:
  explicit WineWorld(const WineSetup& setup);
  WineWorld(const WineWorld&) = delete;
  WineWorld& operator=(const WineWorld&) = delete;

  SerialPorts& Ports() { return m_ports; }
  ControlDevice& Device() { return m_device; }
  const ControlDevice& Device() const { return m_device; }
  DevconStub& Devcon() { return m_devcon; }
  const DevconStub& Devcon() const { return m_devcon; }
  World::News Poll() { return World::News{m_device.Drain(), m_devcon.CollectRuns()}; }

  // The command that runs the agent, and its environment for a user whose
  // language is `locale` ("de_DE.UTF-8").
  std::vector<std::string> AgentCommand() const;
  std::vector<std::string> Environment(const std::string& locale) const;
  std::string ErrorLog() const { return m_root.path() + "/wine.log"; }

 private:
  std::string m_agentProgram;
  std::string m_templatePrefix;
  wine_test::VirtualDisplay m_display;
  test_support::TempDirectory m_root;
  wine_test::WinePrefix m_prefix;  // its server ends before the display and the folders go
  SerialPorts m_ports;
  ControlDevice m_device;
  DevconStub m_devcon;
};

}  // namespace scenario
