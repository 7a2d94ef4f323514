// Makes virtual serial ports for a demonstration: one pseudo-terminal pair per
// port, its terminal side linked as <prefix>/dosdevices/comN, and holds the
// ports named busy exclusively, as another program would. Prints one line per
// port once every port is made, then runs until SIGTERM or SIGINT and removes
// its links.
//   tavrin-demo-ports [--prefix DIR] N[,N...] [BUSY,...]
// The prefix defaults to the platform's (TAVRIN_PREFIX, else /var/lib/tavrin).
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "winapi/stand_in.h"

namespace {

struct Port {
  int number;
  int master = -1;
  int holder = -1;  // the busy port's own open, holding its lock
  std::string link;
  std::string description;
};

volatile sig_atomic_t g_stop = 0;

void OnStop(int) { g_stop = 1; }

std::vector<int> ParseNumbers(const char* list) {
  std::vector<int> numbers;
  std::stringstream stream(list);
  std::string item;
  while (std::getline(stream, item, ',')) {
    char* end = nullptr;
    const long number = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end != '\0' || number < 1 || number > 999) {
      std::fprintf(stderr, "tavrin-demo-ports: not a port number: '%s'\n", item.c_str());
      std::exit(2);
    }
    numbers.push_back(static_cast<int>(number));
  }
  return numbers;
}

bool IsNumberList(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789,") == std::string_view::npos;
}

bool OpenPort(const std::string& prefix, bool busy, Port& port) {
  port.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (port.master < 0 || grantpt(port.master) != 0 || unlockpt(port.master) != 0) return false;
  const char* terminal = ptsname(port.master);
  if (terminal == nullptr) return false;
  port.link = prefix + "/dosdevices/com" + std::to_string(port.number);
  unlink(port.link.c_str());
  if (symlink(terminal, port.link.c_str()) != 0) return false;
  if (busy) {
    port.holder = open(terminal, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port.holder < 0 || flock(port.holder, LOCK_EX | LOCK_NB) != 0) return false;
  }
  port.description =
      "COM" + std::to_string(port.number) + " -> " + terminal + (busy ? " (held by another program)" : "");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<const char*> lists;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--prefix") == 0 && i + 1 < argc) {
      winapi::SetPrefix(argv[++i]);
    } else {
      lists.push_back(argv[i]);
    }
  }
  // The earlier form named the prefix first: "tavrin-demo-ports DIR N,... [BUSY,...]".
  if (!lists.empty() && !IsNumberList(lists[0])) {
    winapi::SetPrefix(lists[0]);
    lists.erase(lists.begin());
  }
  if (lists.empty() || lists.size() > 2) {
    std::fprintf(stderr, "usage: tavrin-demo-ports [--prefix DIR] N[,N...] [BUSY,...]\n");
    return 2;
  }
  const std::string prefix = winapi::Prefix();
  const std::vector<int> numbers = ParseNumbers(lists[0]);
  const std::vector<int> busyList = lists.size() == 2 ? ParseNumbers(lists[1]) : std::vector<int>{};
  const std::set<int> busy(busyList.begin(), busyList.end());

  std::vector<Port> ports;
  for (int number : numbers) ports.push_back(Port{number, -1, -1, {}, {}});
  bool ok = true;
  for (Port& port : ports) ok = ok && OpenPort(prefix, busy.count(port.number) != 0, port);

  if (ok) {
    for (const Port& port : ports) std::printf("%s\n", port.description.c_str());
    std::fflush(stdout);
    struct sigaction action {};
    action.sa_handler = OnStop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    while (!g_stop) pause();
  } else {
    std::perror("tavrin-demo-ports");
  }

  for (const Port& port : ports) {
    if (!port.link.empty()) unlink(port.link.c_str());
    if (port.holder >= 0) close(port.holder);
    if (port.master >= 0) close(port.master);
  }
  return ok ? 0 : 1;
}
