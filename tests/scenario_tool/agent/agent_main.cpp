// portsetup-agent: runs the program's real dialog (the application object,
// the dialogs and the framework over the system's windows, linked as in
// portsetup.exe) on its main thread, and on a second thread takes requests of
// portsetup-scenario --wine from standard input and answers on standard
// output (agent_protocol.h).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "dialog/editing_state.h"
#include "framework/framework.h"
#include "framework/win32/modal_loop.h"
#include "framework/win32/window_wrappers.h"
#include "tests/scenario_tool/agent/dialog_reader.h"
#include "tests/scenario_tool/agent/handle_census.h"
#include "tests/scenario_tool/agent/main_thread.h"
#include "tests/scenario_tool/agent/message_boxes.h"
#include "tests/scenario_tool/agent/person.h"
#include "tests/scenario_tool/agent/program_watch.h"
#include "tests/scenario_tool/script/agent_protocol.h"
#include "tests/scenario_tool/script/script_numbers.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/script/text_format.h"
#include "tests/wine/windows/settings_key.h"

namespace scenario::agent {
namespace {

HANDLE g_startProgram = nullptr;
HANDLE g_endAgent = nullptr;

void Reply(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::cout << line << '\n';
  std::cout << agent_protocol::kReplyEnd << std::endl;
}

// What happened since the previous report, once the program waits for the person.
std::vector<std::string> Events(const std::optional<std::string>& problem = std::nullopt) {
  AwaitPerson();
  std::vector<std::string> lines;
  if (problem) lines.push_back("problem " + QuoteWord(*problem));
  RunOnMainThread([&lines] {
    for (const std::string& text : TakeDebugTexts()) lines.push_back("debug " + QuoteWord(text));
    if (MainStarted()) lines.push_back("started");
    if (const HWND box = OpenMessageBox()) {
      const wine_test::MessageBoxState look = wine_test::ReadMessageBox(box);
      lines.push_back("box " + std::to_string(BoxType(look)) + " " + QuoteWord(look.text) + " " +
                      QuoteWord(look.caption));
    }
    if (const auto result = MainResult()) lines.push_back("ended " + std::to_string(*result));
  });
  return lines;
}

std::vector<std::string> Store() {
  std::vector<wine_test::StoredValue> values;
  if (!wine_test::ReadStore(values)) return {"absent"};
  std::vector<std::string> lines;
  for (const wine_test::StoredValue& value : values) {
    lines.push_back("value " + QuoteWord(value.name) + " " + std::to_string(value.type) + " " +
                    QuoteWord(HexText(Bytes(value.data.begin(), value.data.end()))));
  }
  return lines;
}

std::vector<std::string> View(const std::string& which) {
  std::vector<std::string> lines;
  RunOnMainThread([&] {
    CDialog* main = MainDialog();
    const HWND top = framework::win32::ModalRun::TopWindow();
    const HWND dialog = which == "top" ? top : main != nullptr ? main->m_hWnd : nullptr;
    if (dialog != nullptr) {
      lines = ReadDialog(dialog);
    } else if (!MainLastView().empty()) {
      lines = MainLastView();
    } else {
      lines = {"none"};
    }
  });
  return lines;
}

// The reply to a request that cannot be served; none (an empty one) when
// `error` is empty, as the world's requests answer when they succeed.
std::vector<std::string> Refusal(const std::string& error) {
  if (error.empty()) return {};
  return {"error " + QuoteWord(error)};
}

std::vector<std::string> Answer(const std::vector<std::string>& words) {
  const std::string& what = words.at(0);
  if (what == "key") return Refusal(wine_test::SetKeyPresent(words.at(1) == "present"));
  if (what == "value") {
    const auto data = ParseHexBytes(words.at(3));
    if (!data) return Refusal("not hex: " + words.at(3));
    return Refusal(
        wine_test::SetValue(words.at(1), static_cast<DWORD>(std::stoul(words.at(2))), {data->begin(), data->end()}));
  }
  if (what == "store") return Store();
  if (what == "start") {
    SetEvent(g_startProgram);
    return Events();
  }
  if (what == "act") return Events(Act(std::vector<std::string>(words.begin() + 1, words.end())));
  if (what == "press") {
    bool pressed = false;
    RunOnMainThread([&] {
      if (const HWND box = OpenMessageBox()) pressed = PressBoxButton(box, std::stoi(words.at(1)));
    });
    return Events(pressed ? std::nullopt : std::optional<std::string>("the box has no such button"));
  }
  if (what == "quit") {
    RunOnMainThread([] { PostQuitMessage(0); });
    return Events();
  }
  if (what == "view") return View(words.at(1));
  if (what == "top") {
    std::vector<std::string> lines{"none"};
    RunOnMainThread([&lines] {
      const HWND top = framework::win32::ModalRun::TopWindow();
      const auto* dialog =
          top != nullptr ? dynamic_cast<const CDialog*>(framework::win32::PermanentWrapper(top)) : nullptr;
      if (dialog != nullptr) lines = {"dialog " + std::to_string(dialog->TemplateId())};
    });
    return lines;
  }
  if (what == "editing") {
    std::vector<std::string> lines;
    RunOnMainThread([&lines] {
      lines = {"editmode " + std::to_string(g_editing.EditMode()), "current " + QuoteWord(g_editing.CurrentPort())};
    });
    return lines;
  }
  if (what == "census") {
    std::vector<std::string> lines;
    RunOnMainThread([&lines] {
      for (const auto& [kind, count] : HandlesLeftOpen())
        lines.push_back("open " + QuoteWord(kind) + " " + std::to_string(count));
    });
    return lines;
  }
  return Refusal("not understood: " + what);
}

DWORD WINAPI ServeRequests(LPVOID) {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string error;
    const auto words = SplitWords(line, &error);
    if (!words || words->empty()) {
      Reply(Refusal(error.empty() ? "empty request" : error));
      continue;
    }
    // The program may still run: the agent ends with it, and the tool ends
    // whatever else of the prefix is left.
    if (words->front() == "exit") ExitProcess(0);
    Reply(Answer(*words));
  }
  SetEvent(g_endAgent);
  SetEvent(g_startProgram);
  return 0;
}

// Waits for `event` while delivering what is sent to the thread's windows.
void PumpUntil(HANDLE event) {
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // the program's, after it ended
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace
}  // namespace scenario::agent

int main() {
  using namespace scenario::agent;
  // Lines end in a line feed alone, as on the tool's side.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  g_startProgram = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_endAgent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  PrepareMainThread();
  WatchProgram();
  const HANDLE server = CreateThread(nullptr, 0, &ServeRequests, nullptr, 0, nullptr);
  PumpUntil(g_startProgram);
  if (WaitForSingleObject(g_endAgent, 0) != WAIT_OBJECT_0) {
    TakeHandleBaseline();
    if (CWinApp* app = AfxGetApp()) app->Run();
    SetProgramEnded();
    PumpUntil(g_endAgent);
  }
  WaitForSingleObject(server, INFINITE);
  CloseHandle(server);
  return 0;
}
