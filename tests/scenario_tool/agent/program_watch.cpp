#include "tests/scenario_tool/agent/program_watch.h"

#include <mutex>
#include <utility>

#include "framework/framework.h"
#include "framework/win32/modal_loop.h"
#include "tests/scenario_tool/agent/dialog_reader.h"

namespace scenario::agent {
namespace {

std::mutex g_debugMutex;  // the program's thread writes, the agent's thread takes
std::vector<std::string> g_debugTexts;

CDialog* g_mainDialog = nullptr;
bool g_mainStarted = false;
bool g_programEnded = false;
std::optional<INT_PTR> g_mainResult;
std::vector<std::string> g_mainLastView;

// The platform raises DBG_PRINTEXCEPTION_C for each OutputDebugStringA, with
// the text's length (terminator included) and address; its own handler then
// takes it, so this one only looks.
LONG CALLBACK OnException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    const auto length = static_cast<std::size_t>(record->ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    const std::lock_guard lock(g_debugMutex);
    g_debugTexts.emplace_back(text, length > 0 ? length - 1 : 0);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

bool IsMainDialog(const CDialog* dialog) {
  const CWinApp* app = AfxGetApp();
  return app != nullptr && app->m_pMainWnd == dialog;
}

void OnDialogStarted(CDialog* dialog) {
  if (!IsMainDialog(dialog)) return;
  g_mainDialog = dialog;
  g_mainStarted = true;
}

void OnDialogEnded(CDialog* dialog, INT_PTR result) {
  if (dialog != g_mainDialog) return;
  g_mainLastView = ReadDialog(dialog->m_hWnd);
  g_mainDialog = nullptr;
  g_mainResult = result;
}

}  // namespace

void WatchProgram() {
  AddVectoredExceptionHandler(1, &OnException);
  framework::win32::SetModalObserver({&OnDialogStarted, &OnDialogEnded});
}

std::vector<std::string> TakeDebugTexts() {
  const std::lock_guard lock(g_debugMutex);
  return std::exchange(g_debugTexts, {});
}

CDialog* MainDialog() { return g_mainDialog; }
bool MainStarted() { return g_mainStarted; }
bool ProgramEnded() { return g_programEnded; }
void SetProgramEnded() { g_programEnded = true; }
std::optional<INT_PTR> MainResult() { return g_mainResult; }
const std::vector<std::string>& MainLastView() { return g_mainLastView; }

}  // namespace scenario::agent
