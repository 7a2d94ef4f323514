#include "tests/scenario_tool/tool/scenario_run.h"

#include "app/portsetup_app.h"
#include "dialog/editing_state.h"
#include "framework/linux/input.h"
#include "tests/scenario_tool/tool/actions.h"
#include "winapi/stand_in.h"

namespace scenario {

ScenarioRun::ScenarioRun(const Script& script, std::ostream& out) : ScenarioSession(script, out) {
  m_backend.onIdle = [this] { return RunUntilAction(); };
  m_backend.answerBox = [this](HWND, const std::string& text, const std::string& caption, UINT type) {
    const BoxAnswer answer = AnswerBox(text, caption, type);
    if (answer.gaveUp) PostQuitMessage(0);  // the program goes on with the box's default answer and then ends
    return answer.answer;
  };
  m_backend.onDialogStarted = [this](HWND dialog) { OnDialogStarted(dialog); };
  m_backend.onDialogEnded = [this](HWND dialog) { OnDialogEnded(dialog); };
  m_backend.onIconDrawn = [this](HWND dialog) {
    NoteIcon(dialog->Dialog().iconPosition.x, dialog->Dialog().iconPosition.y);
  };
  winapi::SetDebugSink([this](const char* text) { NoteDebugText(text); });
}

ScenarioRun::~ScenarioRun() { winapi::SetDebugSink(nullptr); }

void ScenarioRun::StartProgram() { theApp.Run(); }

std::optional<std::string> ScenarioRun::PerformAction(const Action& action) { return scenario::PerformAction(action); }

void ScenarioRun::OnDialogStarted(HWND dialog) {
  const CWinApp* app = AfxGetApp();
  if (app == nullptr || app->m_pMainWnd == nullptr || dialog->wrapper != app->m_pMainWnd) return;
  m_mainDialog = dialog;
  m_record.mainStarted = true;
}

void ScenarioRun::OnDialogEnded(HWND dialog) {
  if (dialog != m_mainDialog) return;
  m_mainLastView = CaptureDialog(dialog);
  m_mainDialog = nullptr;
  NoteMainEnded(static_cast<long>(dialog->Dialog().result));
}

void ScenarioRun::Poll() { NoteNews(m_world.Poll()); }

std::optional<DialogView> ScenarioRun::MainView() const {
  if (m_mainDialog != nullptr) return CaptureDialog(m_mainDialog);
  return m_mainLastView;
}

std::optional<DialogView> ScenarioRun::TopView() const {
  if (HWND top = framework::TopDialog()) return CaptureDialog(top);
  return m_mainLastView;
}

std::optional<int> ScenarioRun::TopDialogId() const {
  HWND top = framework::TopDialog();
  return top != nullptr ? std::optional<int>(top->id) : std::nullopt;
}

int ScenarioRun::EditMode() const { return g_editing.EditMode(); }

std::string ScenarioRun::CurrentPort() const { return g_editing.CurrentPort(); }

std::vector<std::pair<std::string, int>> ScenarioRun::OpenHandles() const {
  return {{"settings keys", winapi::OpenKeyCount()},
          {"file handles", winapi::OpenFileHandleCount()},
          {"process handles", winapi::OpenProcessHandleCount()},
          {"unreaped children", winapi::UnreapedChildCount()}};
}

}  // namespace scenario
