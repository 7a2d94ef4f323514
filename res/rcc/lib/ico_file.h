// Reading of .ico files: the directory and the device-independent bitmaps of
// an icon group, checked so that a damaged file fails the build, not the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "res/rcc/lib/rc_error.h"

namespace rcc {

struct IcoImage {
  int width = 0, height = 0;
  int bitCount = 0;
  std::size_t offset = 0, size = 0;  // the image's bytes within the file
};

struct IcoFile {
  std::vector<std::uint8_t> bytes;
  std::vector<IcoImage> images;  // in directory order
};

// Parses the bytes of an .ico file; a file that is not a well-formed icon of
// uncompressed bitmaps fails with an RcError at `where`.
IcoFile ParseIcoFile(std::vector<std::uint8_t> bytes, const SourceLocation& where);

}  // namespace rcc
