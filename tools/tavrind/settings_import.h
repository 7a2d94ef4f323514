// "tavrind import FILE": a settings file's words put into the driver's
// service key, and the driver told to load them.
#pragma once

#include <ostream>
#include <string>

namespace tavrind {

// Replaces the word of every port name in the service key with the file's,
// 0 where the file names none, as Apply writes them: under the hive's lock,
// in one durable rewrite. Then sends the apply command when a driver runs for
// the prefix. A file that ReadSettingsFile refuses changes nothing. Returns
// the exit status.
int ImportSettings(const std::string& prefix, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace tavrind
