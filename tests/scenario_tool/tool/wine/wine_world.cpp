#include "tests/scenario_tool/tool/wine/wine_world.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/scenario_tool/tool/world/world_error.h"
#include "tests/wine/linux_programs.h"
#include "winapi/unique_fd.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// Root opens a terminal even in exclusive mode. Every Wine process, the server
// included, is started from this process after the world is made, and none
// gets CAP_SYS_ADMIN: Wine then finds a port that another program holds busy,
// as the platform does.
const std::string& WithoutAdministrationCapability(const std::string& agentProgram) {
  if (geteuid() == 0 && prctl(PR_CAPBSET_DROP, CAP_SYS_ADMIN, 0, 0, 0) != 0) {
    ThrowSystemError("cannot leave CAP_SYS_ADMIN out of the Wine processes");
  }
  return agentProgram;
}

// Makes the template when a run by hand finds none (the test run's fixture
// makes it otherwise); concurrent runs wait for the one that makes it.
const std::string& EnsureTemplate(const WineSetup& setup) {
  const std::string lockPath = setup.templatePrefix + ".lock";
  fs::create_directories(fs::path(setup.templatePrefix).parent_path());
  const winapi::UniqueFd lock(open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock.Valid() || flock(lock.Get(), LOCK_EX) != 0) ThrowSystemError("cannot lock " + lockPath);
  if (!fs::exists(setup.templatePrefix + "/.update-timestamp") &&
      wine_test::RunAndWait({setup.prepareScript, setup.templatePrefix}, wine_test::CurrentEnvironment()) != 0) {
    throw WorldError("cannot make the template Wine prefix with " + setup.prepareScript);
  }
  // The prefix copy takes its template from the environment.
  setenv("TAVRIN_WINE_TEMPLATE", setup.templatePrefix.c_str(), 1);
  return setup.templatePrefix;
}

// The bin folder of the device console tool, made before the tool's member.
const std::string& PrepareLayout(const test_support::TempDirectory& root) {
  if (mkdir((root.path() + "/bin").c_str(), 0700) != 0) ThrowSystemError("cannot make " + root.path() + "/bin");
  return root.path();
}

}  // namespace

WineWorld::WineWorld(const WineSetup& setup)
    : m_agentProgram(WithoutAdministrationCapability(setup.agentProgram)),
      m_templatePrefix(EnsureTemplate(setup)),
      m_root("portsetup-scenario-wine"),
      m_ports(m_prefix.path() + "/dosdevices"),
      m_device(m_prefix.path() + "/dosdevices/tavrin"),
      m_devcon(PrepareLayout(m_root) + "/bin", m_root.path() + "/bin/devcon.log", setup.devconProgram) {}

std::vector<std::string> WineWorld::AgentCommand() const { return {"wine", m_agentProgram}; }

std::vector<std::string> WineWorld::Environment(const std::string& locale) const {
  return m_prefix.Environment({"DISPLAY=" + m_display.Name(), "LC_ALL=" + locale,
                               "WINEPATH=" + wine_test::WindowsPath(m_root.path() + "/bin")});
}

}  // namespace scenario
