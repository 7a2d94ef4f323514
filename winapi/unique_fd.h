// A POSIX file descriptor owned by one object and closed exactly once: when
// the owner goes, or earlier by Close.
#pragma once

#include <unistd.h>

#include <utility>

namespace winapi {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd() { Close(); }
  UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Close();
      m_fd = other.Release();
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }
  // Closes now and reports whether close succeeded (it can report a failed
  // write-back). Closing nothing succeeds.
  bool Close() {
    const int fd = Release();
    return fd < 0 || ::close(fd) == 0;
  }
  // Gives up ownership: the caller closes what this returns.
  int Release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd = -1;
};

}  // namespace winapi
