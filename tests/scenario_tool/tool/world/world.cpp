#include "tests/scenario_tool/tool/world/world.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "framework/linux/resources.h"
#include "tests/scenario_tool/tool/world/world_error.h"
#include "winapi/stand_in.h"

namespace scenario {
namespace {

// Creates the directory `name` under `root` and returns its path.
std::string MakeDirectory(const std::string& root, const char* name) {
  const std::string path = root + "/" + name;
  if (mkdir(path.c_str(), 0700) != 0) ThrowSystemError("cannot create " + path);
  return path;
}

std::string CurrentPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}

// The layout is made before any member that lives in it.
const std::string& PrepareLayout(const test_support::TempDirectory& root) {
  const std::string prefix = MakeDirectory(root.path(), "prefix");
  MakeDirectory(prefix, "dosdevices");
  const std::string bin = MakeDirectory(root.path(), "bin");
  winapi::SetPrefix(prefix);
  // Only our device console tool is found, never one installed on the machine.
  setenv("PATH", (bin + ":/usr/bin:/bin").c_str(), 1);
  return root.path();
}

}  // namespace

World::World()
    : m_savedPath(CurrentPath()),
      m_root("portsetup-scenario"),
      m_hive(PrepareLayout(m_root) + "/prefix/hklm.reg"),
      m_ports(m_root.path() + "/prefix/dosdevices"),
      m_device(m_root.path() + "/prefix/dosdevices/tavrin"),
      m_devcon(m_root.path() + "/bin", m_root.path() + "/devcon.log") {
  framework::SetResourceLanguage(1033);
}

World::~World() { setenv("PATH", m_savedPath.c_str(), 1); }

void World::Apply(const WorldDirective& directive) {
  std::visit(
      [this](const auto& d) {
        using T = std::decay_t<decltype(d)>;
        if constexpr (std::is_same_v<T, SetLanguage>) {
          framework::SetResourceLanguage(d.langId);
        } else if constexpr (std::is_same_v<T, SetPort>) {
          m_ports.Set(d.number, d.busy);
        } else if constexpr (std::is_same_v<T, SetDriver>) {
          m_device.Set(d.state);
        } else if constexpr (std::is_same_v<T, SetKey>) {
          m_hive.Set(d.state);
        } else if constexpr (std::is_same_v<T, SetValue>) {
          m_hive.Set(d);
        } else {
          m_devcon.Set(d);
        }
      },
      directive);
}

World::News World::Poll() { return News{m_device.Drain(), m_devcon.CollectRuns()}; }

}  // namespace scenario
