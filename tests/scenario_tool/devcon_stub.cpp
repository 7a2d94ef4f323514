#include "devcon_stub.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "child_processes.h"
#include "world_error.h"

namespace scenario {
namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ScriptText(const SetDevcon& behaviour, const std::string& logPath) {
  std::string script =
      "#!/bin/sh\n"
      "printf '%s\\n' \"$*\" >> " + ShellQuoted(logPath) + "\n";
  if (behaviour.mode == DevconMode::Sleep) return script + "exec /bin/sleep " + behaviour.sleepSeconds + "\n";
  return script + "exit " + std::to_string(behaviour.mode == DevconMode::Exit ? behaviour.exitCode : 0) + "\n";
}

}  // namespace

DevconStub::DevconStub(std::string binDirectory, std::string logPath)
    : m_program(std::move(binDirectory) + "/devcon.exe"), m_logPath(std::move(logPath)) {
  Set(SetDevcon{DevconMode::Ok, {}, 0});
}

DevconStub::~DevconStub() { EndRunningChildren(); }

void DevconStub::Set(const SetDevcon& behaviour) {
  if (std::remove(m_program.c_str()) != 0 && errno != ENOENT) ThrowSystemError("cannot remove " + m_program);
  if (behaviour.mode == DevconMode::Missing) return;
  // Written beside and renamed into place, so a run never finds half a script.
  const std::string temporary = m_program + ".new";
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << ScriptText(behaviour, m_logPath);
    if (!file.flush()) throw WorldError("cannot write " + temporary);
  }
  if (chmod(temporary.c_str(), 0755) != 0) ThrowSystemError("cannot make " + temporary + " executable");
  if (std::rename(temporary.c_str(), m_program.c_str()) != 0) ThrowSystemError("cannot replace " + m_program);
}

std::vector<std::string> DevconStub::CollectRuns() {
  std::ifstream log(m_logPath, std::ios::binary);
  if (!log) return {};
  const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  std::vector<std::string> runs;
  for (std::size_t end; (end = text.find('\n', m_logRead)) != std::string::npos; m_logRead = end + 1) {
    const std::string entry = text.substr(m_logRead, end - m_logRead);
    runs.push_back(entry);
  }
  m_runs.insert(m_runs.end(), runs.begin(), runs.end());
  return runs;
}

}  // namespace scenario
