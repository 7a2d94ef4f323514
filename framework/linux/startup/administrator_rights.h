// The stand-in for the elevation that the program's manifest asks for on its
// own platform: the program changes the machine, which here is the prefix,
// so it runs only for root or for a user who may write the prefix (the
// demonstration world, or a prefix made over to a group of administrators).
#pragma once

#include <string>

namespace framework {

// Empty when this process may change the machine; else the one line that
// tells the person what to run instead, naming the program as `programName`.
std::string MissingAdministratorRights(const std::string& programName);

}  // namespace framework
