#include "tests/scenario_tool/tool/scenario_session.h"

#include "framework/linux/headless/headless_backend.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/script/text_format.h"
#include "tests/scenario_tool/tool/box_identity.h"
#include "tests/scenario_tool/tool/checks.h"
#include "tests/scenario_tool/tool/world/world_error.h"

namespace scenario {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  const std::size_t last = text.find_last_not_of(" \t\r");
  return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

ScenarioSession::ScenarioSession(const Script& script, std::ostream& out)
    : m_script(script), m_transcript(out, script.path) {}

int ScenarioSession::Execute() {
  while (!m_gaveUp && m_next < m_script.lines.size()) {
    RunLine(m_script.lines[m_next++]);
    Poll();
  }
  if (!m_gaveUp) {
    EndOfScript();
    FinishChecks();
  }
  const int failures = m_transcript.Failures();
  m_transcript.Note(failures == 0 ? "scenario passed" : "scenario FAILED: " + std::to_string(failures) + " failure(s)");
  return failures == 0 ? 0 : 1;
}

bool ScenarioSession::RunLine(const ScriptLine& line) {
  m_currentLine = line.line;
  try {
    return std::visit(
        [&](const auto& directive) {
          using T = std::decay_t<decltype(directive)>;
          if constexpr (std::is_same_v<T, WorldDirective>) {
            ApplyWorld(directive);
          } else if constexpr (std::is_same_v<T, Start>) {
            m_transcript.Note("start");
            StartProgram();
            Poll();
            if (!m_record.mainStarted) m_transcript.Note("the program ended without showing its dialog");
          } else if constexpr (std::is_same_v<T, QueueAnswers>) {
            for (int answer : directive.answers) m_answers.push_back({answer, line.line});
          } else if constexpr (std::is_same_v<T, Action>) {
            m_transcript.Note("> " + Trimmed(line.text));
            if (const auto problem = PerformAction(directive)) {
              GiveUp(line.line, "the person cannot do this: " + *problem);
            }
            return !m_gaveUp;
          } else {
            CheckContext context{m_record, Platform(), m_transcript};
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

bool ScenarioSession::RunUntilAction() {
  Poll();
  while (!m_gaveUp && m_next < m_script.lines.size()) {
    const bool acted = RunLine(m_script.lines[m_next++]);
    Poll();
    if (acted) return true;
  }
  if (!m_gaveUp) NoteEndWhileRunning();
  return false;
}

void ScenarioSession::NoteEndWhileRunning() {
  if (m_endOfFileNoted) return;
  m_endOfFileNoted = true;
  m_transcript.Note("end of the scenario while the dialog runs: it ends as on a quit request");
}

ScenarioSession::BoxAnswer ScenarioSession::AnswerBox(const std::string& text, const std::string& caption,
                                                      unsigned type) {
  Poll();
  m_record.boxes.push_back({text, type});
  const std::string box = BoxName({StringIdOfText(text), type});
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
      problem =
          "answer " + AnswerName(queued.answer) + " is not a button of message box " + box + " " + QuoteWord(text);
    }
  }
  std::string note = "box " + box + " " + QuoteWord(text);
  if (!caption.empty()) note += " caption " + QuoteWord(caption);
  m_transcript.Note(note + " -> " + AnswerName(answer));
  if (!problem.empty()) GiveUp(line, problem);
  return {answer, !problem.empty()};
}

void ScenarioSession::NoteDebugText(const std::string& text) {
  std::string rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string line = rest.substr(0, end);
    m_record.debugLines.push_back(line);
    m_transcript.Note("debug: " + line);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  }
}

void ScenarioSession::NoteMainEnded(long result) {
  m_record.mainEnded = true;
  m_record.mainResult = result;
  Poll();
  m_transcript.Note("the dialog ended: " + std::to_string(result));
}

void ScenarioSession::NoteIcon(int x, int y) {
  m_record.lastIcon = IconPoint{x, y};
  m_transcript.Note("icon drawn at " + std::to_string(x) + " " + std::to_string(y));
}

void ScenarioSession::NoteNews(const World::News& news) {
  for (const Bytes& write : news.deviceWrites) m_transcript.Note("device: " + HexText(write));
  for (const std::string& run : news.devconRuns) m_transcript.Note("devcon: " + run);
}

void ScenarioSession::GiveUp(int line, const std::string& why) {
  if (m_gaveUp) return;
  m_gaveUp = true;
  m_transcript.Failure(line, why);
  if (m_next < m_script.lines.size()) {
    m_transcript.Note("lines from " + std::to_string(m_script.lines[m_next].line) + " on are not run");
  }
}

void ScenarioSession::FinishChecks() {
  for (const QueuedAnswer& unused : m_answers) {
    m_transcript.Failure(unused.line, "answer " + AnswerName(unused.answer) + " was never used");
  }
}

}  // namespace scenario
