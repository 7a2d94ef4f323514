#include "agent_link.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "agent_protocol.h"
#include "script_words.h"
#include "world_error.h"

namespace scenario {
namespace {

// Long enough for the longest thing a program does before it waits again (the
// device console tool's 8 s limit), short of CTest's own limit.
constexpr int kReplyTimeoutMs = 60'000;

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool WaitForExit(pid_t pid, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += 10) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid || (ended < 0 && errno == ECHILD)) return true;
    usleep(10'000);
  }
  return false;
}

}  // namespace

AgentLink::AgentLink(const std::vector<std::string>& command, const std::vector<std::string>& environment,
                     const std::string& errorLog) {
  int toAgent[2];
  int fromAgent[2];
  if (pipe2(toAgent, O_CLOEXEC) != 0 || pipe2(fromAgent, O_CLOEXEC) != 0) ThrowSystemError("cannot make pipes");
  std::vector<std::string> arguments = command;
  std::vector<std::string> variables = environment;
  const std::vector<char*> argv = Pointers(arguments);
  const std::vector<char*> envp = Pointers(variables);
  m_pid = fork();
  if (m_pid < 0) ThrowSystemError("cannot start the agent");
  if (m_pid == 0) {
    const int log = open(errorLog.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    dup2(toAgent[0], 0);
    dup2(fromAgent[1], 1);
    if (log >= 0) dup2(log, 2);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(toAgent[0]);
  close(fromAgent[1]);
  m_toAgent = winapi::UniqueFd(toAgent[1]);
  m_fromAgent = winapi::UniqueFd(fromAgent[0]);
}

AgentLink::~AgentLink() {
  if (m_pid < 0) return;
  static constexpr char kExit[] = "exit\n";
  if (write(m_toAgent.Get(), kExit, sizeof kExit - 1) < 0) {
    // the agent is gone already; it is reaped below
  }
  m_toAgent.Close();
  if (!WaitForExit(m_pid, 10'000)) {
    kill(m_pid, SIGKILL);
    WaitForExit(m_pid, 10'000);
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
