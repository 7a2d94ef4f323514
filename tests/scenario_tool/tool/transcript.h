// What the tool prints as the scenario runs: the program's message boxes,
// diagnostic lines, control-device writes, runs of the device console tool and
// the end of the dialog; and every failed check with its line, what was
// expected and what was found.
#pragma once

#include <ostream>
#include <string>

namespace scenario {

class Transcript {
 public:
  Transcript(std::ostream& out, std::string path) : m_out(out), m_path(std::move(path)) {}

  void Note(const std::string& text);
  // A check or an action that did not hold, at a line of the file.
  void Failure(int line, const std::string& what, const std::string& expected, const std::string& found);
  void Failure(int line, const std::string& what);

  int Failures() const { return m_failures; }

 private:
  std::ostream& m_out;
  std::string m_path;
  int m_failures = 0;
};

}  // namespace scenario
