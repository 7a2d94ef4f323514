// The device console tool, devcon.exe: a small shell script in a private bin
// directory that stands first on PATH. Each run appends its command line to a
// log, then ends at once with a given code or sleeps; in "missing" there is no
// such program at all. Runs still going when the scenario ends are killed and
// reaped.
#pragma once

#include <string>
#include <vector>

#include "directive.h"

namespace scenario {

class DevconStub {
 public:
  // Starts as "ok": ends at once with 0.
  DevconStub(std::string binDirectory, std::string logPath);
  ~DevconStub();
  DevconStub(const DevconStub&) = delete;
  DevconStub& operator=(const DevconStub&) = delete;

  void Set(const SetDevcon& behaviour);

  // The command lines of the runs logged since the previous call, also added
  // to Runs().
  std::vector<std::string> CollectRuns();
  const std::vector<std::string>& Runs() const { return m_runs; }

 private:
  std::string m_program;
  std::string m_logPath;
  std::size_t m_logRead = 0;
  std::vector<std::string> m_runs;
};

}  // namespace scenario
