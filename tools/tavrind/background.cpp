#include "tools/tavrind/background.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/write_all.h"

namespace tavrind {
namespace {

constexpr char kServing[] = "serving";

std::string ReadToEnd(int fd) {
  std::string text;
  char buffer[512];
  ssize_t count = 0;
  while ((count = read(fd, buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR))
    if (count > 0) text.append(buffer, static_cast<std::size_t>(count));
  return text;
}

// The child's side: a session of its own without a terminal, and standard
// streams that lead nowhere, so nothing it writes reaches the person's
// terminal and a closed terminal does not end it.
void Detach() {
  setsid();
  const int nowhere = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (nowhere < 0) return;
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) dup2(nowhere, stream);
  close(nowhere);
}

}  // namespace

int RunInBackground(const std::function<int(const StartedReport&)>& serve, const std::function<void(pid_t)>& serving,
                    std::ostream& err) {
  int channel[2];
  if (pipe2(channel, O_CLOEXEC) != 0) {
    err << "tavrind: cannot start in the background: " << std::strerror(errno) << "\n";
    return 1;
  }
  const pid_t child = fork();
  if (child < 0) {
    err << "tavrind: cannot start in the background: " << std::strerror(errno) << "\n";
    close(channel[0]);
    close(channel[1]);
    return 1;
  }
  if (child == 0) {
    close(channel[0]);
    Detach();
    int report = channel[1];
    const int status = serve([&report](const std::string& failure) {
      if (report < 0) return;
      base::WriteAll(report, failure.empty() ? kServing : failure);
      close(report);
      report = -1;
    });
    if (report >= 0) close(report);
    return status;
  }

  close(channel[1]);
  const std::string report = ReadToEnd(channel[0]);
  close(channel[0]);
  if (report == kServing) {
    serving(child);
    return 0;
  }
  // The child ends after a refusal; reaping it keeps no zombie behind.
  waitpid(child, nullptr, 0);
  err << "tavrind: " << (report.empty() ? "the driver ended before it served" : report) << "\n";
  return 1;
}

}  // namespace tavrind
