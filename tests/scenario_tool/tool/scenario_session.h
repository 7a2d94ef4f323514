// What every run of a scenario shares, whichever platform runs the program:
// the lines in order, the queue of answers for message boxes, the record of
// what the program did, the transcript, and giving up when the person cannot
// go on. A platform's run provides the world, the start, the person's actions
// and what the checks read.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "tests/scenario_tool/script/directive.h"
#include "tests/scenario_tool/tool/program_record.h"
#include "tests/scenario_tool/tool/scenario_platform.h"
#include "tests/scenario_tool/tool/transcript.h"
#include "tests/scenario_tool/tool/world/world.h"

namespace scenario {

class ScenarioSession {
 public:
  ScenarioSession(const Script& script, std::ostream& out);
  virtual ~ScenarioSession() = default;
  ScenarioSession(const ScenarioSession&) = delete;
  ScenarioSession& operator=(const ScenarioSession&) = delete;

  // Runs every line; 0 when every check held, 1 when any failed.
  int Execute();

 protected:
  virtual void ApplyWorld(const WorldDirective& directive) = 0;
  // Returns when the program waits for the person, or has ended.
  virtual void StartProgram() = 0;
  // Hands the action to the program; a problem when the person cannot do it.
  virtual std::optional<std::string> PerformAction(const Action& action) = 0;
  virtual const ScenarioPlatform& Platform() const = 0;
  // Notes what reached the world (device writes, tool runs) since the last look.
  virtual void Poll() = 0;
  // The last line has run and the scenario did not give up.
  virtual void EndOfScript() {}

  // Runs one line; true when it was a person's action handed to the program.
  bool RunLine(const ScriptLine& line);
  // Runs lines until one hands an action to the program (true) or none is left.
  bool RunUntilAction();

  // A message box appeared: notes it and takes the next queued answer. When
  // none fits, the scenario gives up and the box gets its unanswered default;
  // then `gaveUp` is set and the program should be asked to quit.
  struct BoxAnswer {
    int answer;
    bool gaveUp;
  };
  BoxAnswer AnswerBox(const std::string& text, const std::string& caption, unsigned type);
  // The program wrote diagnostic text (one or more lines).
  void NoteDebugText(const std::string& text);
  void NoteMainEnded(long result);
  void NoteIcon(int x, int y);
  // Writes that reached the control device and runs of the device console tool.
  void NoteNews(const World::News& news);
  void GiveUp(int line, const std::string& why);
  bool GaveUp() const { return m_gaveUp; }
  // The file ended while the dialog runs, which then ends as on a quit request.
  void NoteEndWhileRunning();

  const Script& m_script;
  Transcript m_transcript;
  ProgramRecord m_record;

 private:
  struct QueuedAnswer {
    int answer;
    int line;
  };
  void FinishChecks();

  std::deque<QueuedAnswer> m_answers;
  std::size_t m_next = 0;
  int m_currentLine = 0;
  bool m_gaveUp = false;
  bool m_endOfFileNoted = false;
};

}  // namespace scenario
