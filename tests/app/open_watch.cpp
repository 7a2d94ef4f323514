#include "tests/app/open_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <stdexcept>

namespace robustness {

OpenWatch::OpenWatch() : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (!m_fd.Valid()) throw std::runtime_error("cannot start inotify");
}

void OpenWatch::Watch(const std::string& path) {
  const int watch = inotify_add_watch(m_fd.Get(), path.c_str(), IN_OPEN);
  if (watch < 0) throw std::runtime_error("cannot watch " + path);
  m_paths[watch] = path;
}

std::vector<std::string> OpenWatch::Opened() {
  std::set<int> opened;
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t count = read(m_fd.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    for (const char* at = buffer; at < buffer + count;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      // A watched directory also reports opens of the files in it, by name.
      if ((event->mask & IN_OPEN) != 0 && event->len == 0) opened.insert(event->wd);
      at += sizeof(inotify_event) + event->len;
    }
  }
  std::vector<std::string> paths;
  for (const auto& [watch, path] : m_paths) {
    if (opened.contains(watch)) paths.push_back(path);
  }
  return paths;
}

}  // namespace robustness
