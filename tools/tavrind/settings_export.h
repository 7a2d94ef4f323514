// "tavrind export": the driver's service key with its values, as a file of
// the platform's registry editor, for "tavrind import" on another machine or
// "reg import" / "regedit /s" on the platform itself.
#pragma once

#include <ostream>
#include <string>

#include "winapi/hive.h"

namespace tavrind {

// The file's bytes: the version line, then the key with every port name's
// word in port-name order (0 where the key holds none, so that the platform's
// import, which only adds and replaces values, leaves no other port watched),
// then the key's other values as they are stored. UTF-16LE with a byte-order
// mark and CRLF line ends, as the registry editor writes, or UTF-8 with LF.
// Empty, with the reason in `failure`, when the hive or its key cannot be read.
std::string ExportedSettings(const std::string& hivePath, winapi::HiveEncoding encoding, std::string& failure);

// Writes that file to `file`, or to `out` when `file` is empty. Returns the
// exit status.
int ExportSettings(const std::string& prefix, winapi::HiveEncoding encoding, const std::string& file, std::ostream& out,
                   std::ostream& err);

}  // namespace tavrind
