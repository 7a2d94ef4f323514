// Runs one parsed scenario against the program's own code on the headless
// backend. `start` runs the application; from then on the modal loops ask for
// input whenever they wait, and each time the scenario goes on from where it
// stopped: world changes and checks run at once, and a person's action is
// handed to the loop. After the program has ended the remaining lines run on
// their own.
#pragma once

#include <deque>
#include <ostream>
#include <string>

#include "directive.h"
#include "headless_backend.h"
#include "program_record.h"
#include "transcript.h"
#include "world.h"

namespace scenario {

class ScenarioRun {
 public:
  ScenarioRun(const Script& script, std::ostream& out);
  ~ScenarioRun();
  ScenarioRun(const ScenarioRun&) = delete;
  ScenarioRun& operator=(const ScenarioRun&) = delete;

  // 0 when every check held, 1 when any failed.
  int Execute();

 private:
  struct QueuedAnswer {
    int answer;
    int line;
  };

  // Runs one line; true when it was a person's action handed to the program.
  bool RunLine(const ScriptLine& line);
  void StartProgram();
  void Act(const ScriptLine& line, const Action& action);

  // The framework's calls into the scenario.
  bool OnIdle();
  int OnMessageBox(const std::string& text, const std::string& caption, UINT type);
  void OnDialogStarted(HWND dialog);
  void OnDialogEnded(HWND dialog);
  void OnIconDrawn(HWND dialog);
  void OnDebugOutput(const char* text);

  // Reports what reached the world since the last look.
  void Poll();
  // The scenario cannot sensibly go on: no further line runs.
  void GiveUp(int line, const std::string& why);
  void FinishChecks();

  const Script& m_script;
  Transcript m_transcript;
  World m_world;
  framework::HeadlessBackend m_backend;
  ProgramRecord m_record;
  std::deque<QueuedAnswer> m_answers;
  std::size_t m_next = 0;
  int m_currentLine = 0;
  bool m_gaveUp = false;
  bool m_endOfFileNoted = false;
};

}  // namespace scenario
