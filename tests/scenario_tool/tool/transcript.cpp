#include "tests/scenario_tool/tool/transcript.h"

namespace scenario {

void Transcript::Note(const std::string& text) { m_out << text << std::endl; }

void Transcript::Failure(int line, const std::string& what, const std::string& expected, const std::string& found) {
  Failure(line, what + "\n    expected: " + expected + "\n    found:    " + found);
}

void Transcript::Failure(int line, const std::string& what) {
  ++m_failures;
  m_out << m_path << ":" << line << ": FAILED " << what << std::endl;
}

}  // namespace scenario
