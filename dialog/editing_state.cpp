#include "editing_state.h"

#include <algorithm>
#include <cstring>

#include "watch_entry.h"

char g_currentPort[8] = "";
int g_editMode = 0;

void SetCurrentPort(std::string_view portName) {
  const std::size_t length = std::min(portName.size(), sizeof g_currentPort - 1);
  std::memcpy(g_currentPort, portName.data(), length);
  g_currentPort[length] = '\0';
}

void CutPortNameIntoCurrentPort(std::string_view entry) {
  if (const auto portName = model::PortNameOfEntry(entry)) SetCurrentPort(*portName);
}
