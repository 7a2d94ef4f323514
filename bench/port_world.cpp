#include "bench/port_world.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "model/port_setting.h"
#include "winapi/hive.h"

namespace bench {
namespace {

std::string HiveText(int watchedWords, unsigned word) {
  std::string values;
  for (int number = 1; number <= watchedWords; ++number) {
    char line[64];
    std::snprintf(line, sizeof line, "\"COM%d\"=hex:%02x,%02x,%02x,%02x\n", number, word & 0xFF, (word >> 8) & 0xFF,
                  (word >> 16) & 0xFF, word >> 24);
    values += line;
  }
  return test_support::ServiceKeyHive(values);
}

}  // namespace

PortWorld::PortWorld(int ports, int watchedWords) : m_watchedWords(watchedWords) {
  for (int number = 1; number <= ports; ++number) {
    m_terminals.push_back(std::make_unique<test_support::PseudoTerminal>());
    m_prefix.Link("com" + std::to_string(number), m_terminals.back()->slavePath());
  }
  const std::string control = m_prefix.Entry("tavrin");
  if (mkfifo(control.c_str(), 0600) != 0) throw std::runtime_error("cannot make the FIFO " + control);
  m_controlReader = winapi::UniqueFd(open(control.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!m_controlReader.Valid()) throw std::runtime_error("cannot open the FIFO " + control);
  ResetHive();
}

void PortWorld::ResetHive() const { m_prefix.WriteHive(HiveText(m_watchedWords, kWatchedWord)); }

std::string PortWorld::CheckStoredWords() const {
  winapi::HiveError error;
  const std::optional<winapi::Hive> hive = winapi::ParseHive(m_prefix.ReadHive(), &error);
  if (!hive) return "the hive does not parse: line " + std::to_string(error.line) + ": " + error.message;
  for (int number = 1; number <= model::kPortCount; ++number) {
    const std::string name = "COM" + std::to_string(number);
    const unsigned word = number <= m_watchedWords ? kWatchedWord : 0;
    const std::vector<BYTE> expected{static_cast<BYTE>(word), 0, 0, 0};
    const winapi::HiveValue* value = winapi::FindHiveValue(*hive, test_support::kServiceKeyPath, name);
    if (!value || value->type != REG_DWORD || value->data != expected) return name + " does not hold its word";
  }
  return {};
}

std::string PortWorld::DrainControlDevice() const {
  std::string received;
  char buffer[4096];
  for (;;) {
    const ssize_t count = read(m_controlReader.Get(), buffer, sizeof buffer);
    if (count > 0) {
      received.append(buffer, static_cast<std::size_t>(count));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      return received;  // nothing more for now, or no writer
    }
  }
}

}  // namespace bench
