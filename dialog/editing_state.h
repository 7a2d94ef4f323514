// The process-wide editing state of the watch list: the current-port buffer and
// the edit-mode flag. Only the editing handlers change them.
#pragma once

// The port name of the last selected watch entry, of the last selected
// port-list line or of the last removed entry: at most 7 characters and a
// terminator; empty at start.
extern char g_currentPort[8];

// 1 from a selection in the watch list until Remove or a completed rewrite.
extern int g_editMode;

#include <string_view>

// Copies a port name into the current-port buffer, cut to 7 characters.
void SetCurrentPort(std::string_view portName);

// Cuts the port name off a watch entry into the current-port buffer; an entry
// without "-" leaves the buffer as it was.
void CutPortNameIntoCurrentPort(std::string_view entry);
