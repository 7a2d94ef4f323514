// The device console tool, devcon.exe, in a private bin directory that
// stands first on the path: a small shell script for the Linux stand-in, or a
// Windows program for a run under Wine, which reads what to do from
// devcon.behaviour beside itself. Each run appends its command line to a log,
// then ends at once with a given code or sleeps; in "missing" there is no such
// program at all. Runs still going when the scenario ends are killed and
// reaped.
#pragma once

#include <string>
#include <vector>

#include "tests/scenario_tool/script/directive.h"

namespace scenario {

class DevconStub {
 public:
  // Starts as "ok": ends at once with 0. With `windowsProgram` the tool is a
  // copy of that program, which logs to devcon.log in binDirectory.
  DevconStub(std::string binDirectory, std::string logPath, std::string windowsProgram = {});
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
  std::string m_windowsProgram;
  std::size_t m_logRead = 0;
  std::vector<std::string> m_runs;
};

}  // namespace scenario
