#include "tests/scenario_tool/tool/world/devcon_stub.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "tests/scenario_tool/tool/world/child_processes.h"
#include "tests/scenario_tool/tool/world/replaced_file.h"
#include "tests/scenario_tool/tool/world/world_error.h"
#include "tests/support/file_text.h"

namespace scenario {
namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int ExitCode(const SetDevcon& behaviour) { return behaviour.mode == DevconMode::Exit ? behaviour.exitCode : 0; }

std::string ScriptText(const SetDevcon& behaviour, const std::string& logPath) {
  std::string script =
      "#!/bin/sh\n"
      "printf '%s\\n' \"$*\" >> " +
      ShellQuoted(logPath) + "\n";
  if (behaviour.mode == DevconMode::Sleep) return script + "exec /bin/sleep " + behaviour.sleepSeconds + "\n";
  return script + "exit " + std::to_string(ExitCode(behaviour)) + "\n";
}

// What the Windows tool reads: "exit N" or "sleep S".
std::string BehaviourText(const SetDevcon& behaviour) {
  if (behaviour.mode == DevconMode::Sleep) return "sleep " + behaviour.sleepSeconds + "\n";
  return "exit " + std::to_string(ExitCode(behaviour)) + "\n";
}

}  // namespace

DevconStub::DevconStub(std::string binDirectory, std::string logPath, std::string windowsProgram)
    : m_program(std::move(binDirectory) + "/devcon.exe"),
      m_logPath(std::move(logPath)),
      m_windowsProgram(std::move(windowsProgram)) {
  Set(SetDevcon{DevconMode::Ok, {}, 0});
}

DevconStub::~DevconStub() { EndRunningChildren(); }

void DevconStub::Set(const SetDevcon& behaviour) {
  if (std::remove(m_program.c_str()) != 0 && errno != ENOENT) ThrowSystemError("cannot remove " + m_program);
  if (behaviour.mode == DevconMode::Missing) return;
  if (!m_windowsProgram.empty()) {
    ReplaceFile(m_program.substr(0, m_program.size() - 4) + ".behaviour", BehaviourText(behaviour), 0644);
    std::error_code error;
    if (!std::filesystem::copy_file(m_windowsProgram, m_program, error)) {
      throw WorldError("cannot copy " + m_windowsProgram + ": " + error.message());
    }
  } else {
    ReplaceFile(m_program, ScriptText(behaviour, m_logPath), 0755);
  }
}

std::vector<std::string> DevconStub::CollectRuns() {
  const std::string text = test_support::FileText(m_logPath);  // empty while there is no log
  std::vector<std::string> runs;
  for (std::size_t end; (end = text.find('\n', m_logRead)) != std::string::npos; m_logRead = end + 1) {
    const std::string entry = text.substr(m_logRead, end - m_logRead);
    runs.push_back(entry);
  }
  m_runs.insert(m_runs.end(), runs.begin(), runs.end());
  return runs;
}

}  // namespace scenario
