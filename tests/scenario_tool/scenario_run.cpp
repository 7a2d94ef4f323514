#include "scenario_run.h"

#include "actions.h"
#include "box_identity.h"
#include "checks.h"
#include "input.h"
#include "portsetup_app.h"
#include "script_words.h"
#include "stand_in.h"
#include "text_format.h"
#include "world_error.h"

namespace scenario {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t\r");
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

ScenarioRun::ScenarioRun(const Script& script, std::ostream& out)
    : m_script(script), m_transcript(out, script.path) {
  m_backend.onIdle = [this] { return OnIdle(); };
  m_backend.answerBox = [this](HWND, const std::string& text, const std::string& caption, UINT type) {
    return OnMessageBox(text, caption, type);
  };
  m_backend.onDialogStarted = [this](HWND dialog) { OnDialogStarted(dialog); };
  m_backend.onDialogEnded = [this](HWND dialog) { OnDialogEnded(dialog); };
  m_backend.onIconDrawn = [this](HWND dialog) { OnIconDrawn(dialog); };
  winapi::SetDebugSink([this](const char* text) { OnDebugOutput(text); });
}

ScenarioRun::~ScenarioRun() { winapi::SetDebugSink(nullptr); }

int ScenarioRun::Execute() {
  while (!m_gaveUp && m_next < m_script.lines.size()) {
    RunLine(m_script.lines[m_next++]);
    Poll();
  }
  if (!m_gaveUp) FinishChecks();
  const int failures = m_transcript.Failures();
  m_transcript.Note(failures == 0 ? "scenario passed" : "scenario FAILED: " + std::to_string(failures) + " failure(s)");
  return failures == 0 ? 0 : 1;
}

bool ScenarioRun::RunLine(const ScriptLine& line) {
  m_currentLine = line.line;
  try {
    return std::visit(
        [&](const auto& directive) {
          using T = std::decay_t<decltype(directive)>;
          if constexpr (std::is_same_v<T, WorldDirective>) {
            m_world.Apply(directive);
          } else if constexpr (std::is_same_v<T, Start>) {
            StartProgram();
          } else if constexpr (std::is_same_v<T, QueueAnswers>) {
            for (int answer : directive.answers) m_answers.push_back({answer, line.line});
          } else if constexpr (std::is_same_v<T, Action>) {
            Act(line, directive);
            return !m_gaveUp;
          } else {
            CheckContext context{m_record, m_backend, m_world, m_transcript};
            EvaluateCheck(directive, line.line, context);
          }
          return false;
        },
        line.directive);
  } catch (const WorldError& error) {
    GiveUp(line.line, std::string("the world cannot be changed: ") + error.what());
    return false;
  }
}

void ScenarioRun::StartProgram() {
  m_transcript.Note("start");
  theApp.Run();
  Poll();
  if (!m_record.mainStarted) m_transcript.Note("the program ended without showing its dialog");
}

void ScenarioRun::Act(const ScriptLine& line, const Action& action) {
  m_transcript.Note("> " + Trimmed(line.text));
  if (const auto problem = PerformAction(action)) GiveUp(line.line, "the person cannot do this: " + *problem);
}

bool ScenarioRun::OnIdle() {
  Poll();
  while (!m_gaveUp && m_next < m_script.lines.size()) {
    const bool acted = RunLine(m_script.lines[m_next++]);
    Poll();
    if (acted) return true;
  }
  if (!m_gaveUp && !m_endOfFileNoted) {
    m_endOfFileNoted = true;
    m_transcript.Note("end of the scenario while the dialog runs: it ends as on a quit request");
  }
  return false;
}

int ScenarioRun::OnMessageBox(const std::string& text, const std::string& caption, UINT type) {
  Poll();
  const std::string box = std::to_string(StringIdOfText(text)) + "/" + std::to_string(type);
  std::string problem;
  int line = m_currentLine;
  int answer = framework::UnansweredBoxResult(type);
  if (m_answers.empty()) {
    problem = "message box " + box + " " + QuoteWord(text) + " appeared with no answer queued";
  } else {
    const QueuedAnswer queued = m_answers.front();
    m_answers.pop_front();
    if (framework::HeadlessBackend::IsButtonOf(type, queued.answer)) {
      answer = queued.answer;
    } else {
      line = queued.line;
      problem = "answer " + AnswerName(queued.answer) + " is not a button of message box " + box + " " + QuoteWord(text);
    }
  }
  std::string note = "box " + box + " " + QuoteWord(text);
  if (!caption.empty()) note += " caption " + QuoteWord(caption);
  m_transcript.Note(note + " -> " + AnswerName(answer));
  if (!problem.empty()) {
    GiveUp(line, problem);
    PostQuitMessage(0);  // the program goes on with the box's default answer and then ends
  }
  return answer;
}

void ScenarioRun::OnDialogStarted(HWND dialog) {
  const CWinApp* app = AfxGetApp();
  if (app == nullptr || app->m_pMainWnd == nullptr || dialog->wrapper != app->m_pMainWnd) return;
  m_record.mainDialog = dialog;
  m_record.mainStarted = true;
}

void ScenarioRun::OnDialogEnded(HWND dialog) {
  if (dialog != m_record.mainDialog) return;
  m_record.mainLastView = CaptureDialog(dialog);
  m_record.mainDialog = nullptr;
  m_record.mainEnded = true;
  m_record.mainResult = dialog->result;
  Poll();
  m_transcript.Note("the dialog ended: " + std::to_string(dialog->result));
}

void ScenarioRun::OnIconDrawn(HWND dialog) {
  m_record.lastIcon = dialog->iconPosition;
  m_transcript.Note("icon drawn at " + std::to_string(dialog->iconPosition.x) + " " +
                    std::to_string(dialog->iconPosition.y));
}

void ScenarioRun::OnDebugOutput(const char* text) {
  std::string rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string line = rest.substr(0, end);
    m_record.debugLines.push_back(line);
    m_transcript.Note("debug: " + line);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  }
}

void ScenarioRun::Poll() {
  const World::News news = m_world.Poll();
  for (const Bytes& write : news.deviceWrites) m_transcript.Note("device: " + HexText(write));
  for (const std::string& run : news.devconRuns) m_transcript.Note("devcon: " + run);
}

void ScenarioRun::GiveUp(int line, const std::string& why) {
  if (m_gaveUp) return;
  m_gaveUp = true;
  m_transcript.Failure(line, why);
  if (m_next < m_script.lines.size()) {
    m_transcript.Note("lines from " + std::to_string(m_script.lines[m_next].line) + " on are not run");
  }
}

void ScenarioRun::FinishChecks() {
  for (const QueuedAnswer& unused : m_answers) {
    m_transcript.Failure(unused.line, "answer " + AnswerName(unused.answer) + " was never used");
  }
}

}  // namespace scenario
