// The small machine a scenario runs in, built from real stand-ins in a fresh
// temporary directory: the prefix the platform stand-in sees (hive file and
// device namespace), a bin directory first on PATH for the device console
// tool, and its log. Everything is removed again when the world goes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/scenario_tool/script/directive.h"
#include "tests/scenario_tool/tool/world/control_device.h"
#include "tests/scenario_tool/tool/world/devcon_stub.h"
#include "tests/scenario_tool/tool/world/serial_ports.h"
#include "tests/scenario_tool/tool/world/settings_hive.h"
#include "tests/support/temp_directory.h"

namespace scenario {

class World {
 public:
  // The defaults: language 1033, no ports, the driver running, the key present
  // and empty, the device console tool ending with 0.
  World();
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  void Apply(const WorldDirective& directive);

  // What happened since the previous poll: writes that reached the control
  // device and runs of the device console tool.
  struct News {
    std::vector<Bytes> deviceWrites;
    std::vector<std::string> devconRuns;
  };
  News Poll();

  const ControlDevice& Device() const { return m_device; }
  const DevconStub& Devcon() const { return m_devcon; }
  const SettingsHive& Hive() const { return m_hive; }

 private:
  std::string m_savedPath;
  test_support::TempDirectory m_root;
  SettingsHive m_hive;
  SerialPorts m_ports;
  ControlDevice m_device;
  DevconStub m_devcon;
};

}  // namespace scenario
