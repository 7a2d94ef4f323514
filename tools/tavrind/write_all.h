// Text written to a descriptor in one write, so that lines of several
// processes never interleave; a failure is dropped, as nowhere is left to
// report it.
#pragma once

#include <unistd.h>

#include <string_view>

namespace tavrind {

inline void WriteAll(int fd, std::string_view text) {
  [[maybe_unused]] const ssize_t written = write(fd, text.data(), text.size());
}

}  // namespace tavrind
