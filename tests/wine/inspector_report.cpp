#include "tests/wine/inspector_report.h"

#include <cstdlib>
#include <sstream>

namespace wine_test {
namespace {

std::string Unescaped(const std::string& text) {
  std::string plain;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\' || k + 1 == text.size()) {
      plain += text[k];
      continue;
    }
    const char code = text[++k];
    plain += code == 'n' ? '\n' : code == 'r' ? '\r' : code == 't' ? '\t' : code;
  }
  return plain;
}

// The value of key=... in line: up to the next blank, or to the end for "text=" and "caption=".
std::string Field(const std::string& line, const std::string& key) {
  const std::size_t at = line.find(" " + key + "=");
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size() + 2;
  if (key == "text" || key == "caption") return Unescaped(line.substr(start));
  return line.substr(start, line.find(' ', start) - start);
}

long Number(const std::string& line, const std::string& key) {
  return std::strtol(Field(line, key).c_str(), nullptr, 10);
}

}  // namespace

const InspectedControl* InspectedWindow::Control(int id) const {
  for (const InspectedControl& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

InspectorReport ParseInspectorReport(const std::string& output) {
  InspectorReport report;
  std::istringstream stream(output);
  for (std::string line; std::getline(stream, line);) {
    const std::string word = line.substr(0, line.find(' '));
    if (word == "launched" || word == "owned") {
      report.windows.push_back({Field(line, "caption"), {}});
    } else if (word == "control" && !report.windows.empty()) {
      report.windows.back().controls.push_back(
          {static_cast<int>(Number(line, "id")), static_cast<int>(Number(line, "missing")), Field(line, "text"),
           static_cast<int>(Number(line, "width")), static_cast<int>(Number(line, "room"))});
    } else if (word == "box") {
      report.boxTexts.push_back(Field(line, "text"));
    } else if (word == "exit") {
      report.exitCode = static_cast<int>(Number(line, "code"));
    } else if (word == "error") {
      report.error = line;
    }
  }
  return report;
}

}  // namespace wine_test
