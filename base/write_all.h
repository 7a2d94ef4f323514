// Writing a whole buffer to a descriptor (POSIX builds only): short writes are
// continued and interrupted ones tried again.
#pragma once

#include <string_view>

namespace base {

// False when the descriptor refused a write; errno says why.
bool WriteAll(int fd, std::string_view data);

}  // namespace base
