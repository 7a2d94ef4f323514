#include "dialog/editing_state.h"

#include <algorithm>
#include <cstring>

#include "model/watch_entry.h"

EditingState g_editing;

void EditingState::WatchEntrySelected(std::optional<std::string_view> entry) {
  m_editMode = 1;
  TakePortOfEntry(entry);
}

void EditingState::PortSelected(std::optional<std::string_view> portName) {
  if (portName) SetCurrentPort(*portName);
  m_editMode = 0;
}

void EditingState::EntryRemoved(std::optional<std::string_view> entry) {
  TakePortOfEntry(entry);
  m_editMode = 0;
}

void EditingState::TakePortOfEntry(std::optional<std::string_view> entry) {
  if (!entry) return;
  if (const auto portName = model::PortNameOfEntry(*entry)) SetCurrentPort(*portName);
}

void EditingState::SetCurrentPort(std::string_view portName) {
  const std::size_t length = std::min(portName.size(), sizeof m_currentPort - 1);
  std::memcpy(m_currentPort, portName.data(), length);
  m_currentPort[length] = '\0';
}
