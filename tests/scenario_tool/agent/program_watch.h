// What the agent sees of the program as it runs: the diagnostic lines it
// writes with OutputDebugStringA (seen through the debug-print exception that
// the platform raises for each), the life of its main dialog, and the main
// dialog's last look when its loop ended.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class CDialog;

namespace scenario::agent {

// Installs the exception handler and the modal observer; before the program runs.
void WatchProgram();

// The diagnostic texts written since the previous call, in order.
std::vector<std::string> TakeDebugTexts();

// The main dialog while its loop runs, else null.
CDialog* MainDialog();
bool MainStarted();
bool ProgramEnded();
void SetProgramEnded();
// The main dialog's result once its loop has returned.
std::optional<INT_PTR> MainResult();
// The main dialog's view (dialog_reader.h) as its loop ended.
const std::vector<std::string>& MainLastView();

}  // namespace scenario::agent
