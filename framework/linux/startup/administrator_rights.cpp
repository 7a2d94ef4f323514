#include "framework/linux/startup/administrator_rights.h"

#include <fcntl.h>
#include <unistd.h>

#include "winapi/stand_in.h"

namespace framework {

std::string MissingAdministratorRights(const std::string& programName) {
  const std::string& prefix = winapi::Prefix();
  if (geteuid() == 0 || faccessat(AT_FDCWD, prefix.c_str(), W_OK, AT_EACCESS) == 0) return {};
  return programName + ": changing the driver's settings in " + prefix + " needs an administrator: run 'sudo " +
         programName + "', or start it from the desktop menu";
}

}  // namespace framework
