// The scenario agent under Wine, as a child process of this tool: requests go
// to its standard input, replies come from its standard output
// (agent_protocol.h).
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "winapi/unique_fd.h"

namespace scenario {

class AgentLink {
 public:
  // Runs `command` (its first word found on PATH) with exactly `environment`;
  // its standard error goes to `errorLog`.
  AgentLink(const std::vector<std::string>& command, const std::vector<std::string>& environment,
            const std::string& errorLog);
  // Asks the agent to end and waits for it; kills it when it does not end.
  ~AgentLink();
  AgentLink(const AgentLink&) = delete;
  AgentLink& operator=(const AgentLink&) = delete;

  // The reply's lines. A WorldError when the agent refused the request, ended
  // or did not answer within a minute.
  std::vector<std::string> Request(const std::string& request);

 private:
  std::string ReadLine();

  pid_t m_pid = -1;
  winapi::UniqueFd m_toAgent;
  winapi::UniqueFd m_fromAgent;
  std::string m_buffered;
};

}  // namespace scenario
