// The encodings a hive file comes in, and the conversions between the file's
// bytes and the text the hive's reader works on (UTF-8 or single bytes).
// Internal to the hive's reader and writer.
#pragma once

#include <string>
#include <string_view>

#include "winapi/hive.h"

namespace winapi::hive_encoding {

// The file's encoding and, for UTF-16LE, its text after the byte-order mark
// decoded to UTF-8 into `decoded` (any other file is its own text). False
// with the line at fault for UTF-16 that does not decode or is big-endian.
bool DecodeHiveFile(std::string_view bytes, HiveEncoding& encoding, std::string& decoded, HiveError& error);

// The text as the file's bytes in `encoding`; the text of a UTF-16LE hive
// must be valid UTF-8.
std::string EncodeHiveFile(std::string_view text, HiveEncoding encoding);

}  // namespace winapi::hive_encoding
