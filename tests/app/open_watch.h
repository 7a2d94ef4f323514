// Which of a set of files somebody opened: an inotify watch for IN_OPEN on
// each. Looking at a file (stat, readlink, an O_PATH descriptor) is not
// opening it and is not reported.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "winapi/unique_fd.h"

namespace robustness {

class OpenWatch {
 public:
  OpenWatch();
  OpenWatch(const OpenWatch&) = delete;
  OpenWatch& operator=(const OpenWatch&) = delete;

  // Watches the file a path names (links followed).
  void Watch(const std::string& path);
  // The watched paths opened since the last call, each once, in watch order.
  std::vector<std::string> Opened();

 private:
  winapi::UniqueFd m_fd;
  std::map<int, std::string> m_paths;  // by watch descriptor
};

}  // namespace robustness
