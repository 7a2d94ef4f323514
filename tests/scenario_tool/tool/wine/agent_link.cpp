#include "tests/scenario_tool/tool/wine/agent_link.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "tests/scenario_tool/script/agent_protocol.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/tool/world/world_error.h"
#include "tests/wine/linux_programs.h"

namespace scenario {
namespace {

// Long enough for the longest thing a program does before it waits again (the
// device console tool's 8 s limit), short of CTest's own limit.
constexpr int kReplyTimeoutMs = 60'000;

}  // namespace

AgentLink::AgentLink(const std::vector<std::string>& command, const std::vector<std::string>& environment,
                     const std::string& errorLog) {
  int toAgent[2];
  int fromAgent[2];
  if (pipe2(toAgent, O_CLOEXEC) != 0) ThrowSystemError("cannot make a pipe");
  m_toAgent = winapi::UniqueFd(toAgent[1]);
  const winapi::UniqueFd agentInput(toAgent[0]);
  if (pipe2(fromAgent, O_CLOEXEC) != 0) ThrowSystemError("cannot make a pipe");
  m_fromAgent = winapi::UniqueFd(fromAgent[0]);
  const winapi::UniqueFd agentOutput(fromAgent[1]);
  const winapi::UniqueFd log(open(errorLog.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600));
  m_pid = wine_test::StartProcess(command, environment, agentInput.Get(), agentOutput.Get(), log.Get());
  if (m_pid < 0) throw WorldError("cannot start the agent");
}

AgentLink::~AgentLink() {
  if (m_pid < 0) return;
  static constexpr char kExit[] = "exit\n";
  if (write(m_toAgent.Get(), kExit, sizeof kExit - 1) < 0) {
    // the agent is gone already; it is reaped below
  }
  m_toAgent.Close();
  if (!wine_test::WaitForProcess(m_pid, std::chrono::seconds(10))) {
    kill(m_pid, SIGKILL);
    wine_test::WaitForProcess(m_pid);
  }
}

std::vector<std::string> AgentLink::Request(const std::string& request) {
  const std::string line = request + "\n";
  for (std::size_t written = 0; written < line.size();) {
    const ssize_t count = write(m_toAgent.Get(), line.data() + written, line.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) throw WorldError("the agent ended: it takes no more requests");
    written += static_cast<std::size_t>(count);
  }
  std::vector<std::string> reply;
  for (std::string answer = ReadLine(); answer != agent_protocol::kReplyEnd; answer = ReadLine()) {
    if (answer.rfind("error ", 0) == 0) {
      std::string error;
      const auto words = SplitWords(answer, &error);
      throw WorldError("the agent refused \"" + request + "\": " + (words && words->size() > 1 ? (*words)[1] : answer));
    }
    reply.push_back(answer);
  }
  return reply;
}

std::string AgentLink::ReadLine() {
  for (;;) {
    const std::size_t end = m_buffered.find('\n');
    if (end != std::string::npos) {
      std::string line = m_buffered.substr(0, end);
      m_buffered.erase(0, end + 1);
      return line;
    }
    pollfd readable{m_fromAgent.Get(), POLLIN, 0};
    const int ready = poll(&readable, 1, kReplyTimeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) throw WorldError("the program did not wait for the person again within a minute");
    char buffer[4096];
    const ssize_t count = read(m_fromAgent.Get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) throw WorldError("the agent ended unexpectedly");
    m_buffered.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace scenario
