// The process-wide editing state of the watch list: the current-port buffer and
// the edit-mode flag, changed only by the editing handlers, through the
// transitions below.
#pragma once

#include <optional>
#include <string_view>

class EditingState {
 public:
  // The port name of the last selected watch entry, of the last selected
  // port-list line or of the last removed entry; empty at start.
  const char* CurrentPort() const { return m_currentPort; }
  // 1 from a selection in the watch list until Remove, a port-list selection
  // or a completed rewrite; while it is 1 a combo change rewrites the selected
  // entry.
  int EditMode() const { return m_editMode; }

  // A watch-list selection: edit mode begins, and the selected entry's port
  // becomes current (nothing selected, or an entry without "-": it stays).
  void WatchEntrySelected(std::optional<std::string_view> entry);
  // A port-list selection: the port becomes current and edit mode ends, so the
  // next combo change rewrites no entry under this port's name.
  void PortSelected(std::optional<std::string_view> portName);
  // Remove, with or without an entry selected: edit mode ends; the removed
  // entry's port becomes current.
  void EntryRemoved(std::optional<std::string_view> entry);
  // A combo change replaced the selected entry: edit mode ends.
  void EntryRewritten() { m_editMode = 0; }

 private:
  void TakePortOfEntry(std::optional<std::string_view> entry);
  void SetCurrentPort(std::string_view portName);  // cut to 7 characters

  char m_currentPort[8] = "";  // at most 7 characters and a terminator
  int m_editMode = 0;
};

// The one editing state of the program.
extern EditingState g_editing;
