#include "tests/scenario_tool/tool/wine/wine_run.h"

#include "framework/linux/resources.h"
#include "tests/scenario_tool/script/script_numbers.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/script/text_format.h"
#include "tests/scenario_tool/tool/world/settings_hive.h"
#include "tests/scenario_tool/tool/world/world_error.h"
#include "tests/wine/wine_languages.h"

namespace scenario {
namespace {

// The user locale that makes Wine's resource lookup pick a string table.
std::string LocaleOf(std::uint16_t language) {
  for (const wine_test::Language& known : wine_test::kLanguages) {
    if (known.id == language) return known.locale;
  }
  throw WorldError("no locale for language " + std::to_string(language) + " is known to this tool");
}

framework::WindowKind KindNamed(const std::string& name) {
  if (name == "push-button") return framework::WindowKind::PushButton;
  if (name == "group-box") return framework::WindowKind::GroupBox;
  if (name == "icon-static") return framework::WindowKind::IconStatic;
  if (name == "list-box") return framework::WindowKind::ListBox;
  if (name == "combo-box") return framework::WindowKind::ComboBox;
  return framework::WindowKind::Static;
}

std::vector<std::string> Words(const std::string& line) {
  std::string error;
  auto words = SplitWords(line, &error);
  if (!words || words->empty()) throw WorldError("the agent's line is not understood: " + line);
  return std::move(*words);
}

// A dialog view from the agent's lines (dialog_reader.h).
DialogView ParseView(const std::vector<std::string>& lines) {
  DialogView view;
  view.self.kind = framework::WindowKind::Dialog;
  for (const std::string& line : lines) {
    const std::vector<std::string> words = Words(line);
    const std::string& what = words[0];
    if (what == "dialog") {
      view.templateId = std::stoi(words.at(1));
    } else if (what == "self") {
      view.self.enabled = words.at(1) == "1";
      view.self.visible = words.at(2) == "1";
      view.self.showsIcon = words.at(3) == "1";
      view.self.text = words.at(4);
      view.self.name = view.self.text;  // a window is named by its caption
    } else if (what == "control") {
      ControlView control{
          std::stoi(words.at(1)), KindNamed(words.at(2)), words.at(7),
          words.at(3) == "1",     words.at(4) == "1",     std::vector<std::string>(words.begin() + 8, words.end()),
          std::stoi(words.at(6)), words.at(5) == "1",     std::string()};
      view.controls.push_back(std::move(control));
    } else if (what == "name" && !view.controls.empty()) {
      view.controls.back().name = words.at(1);
    } else if (what == "focus") {
      if (words.at(1) != "none") view.focusId = std::stoi(words[1]);
    } else if (what == "menu") {
      view.systemMenu.push_back(framework::MenuItem{static_cast<UINT>(std::stoul(words.at(1))), 0, words.at(2)});
    } else if (what == "dirty") {
      view.dirtyFlag = std::stoi(words.at(1));
    }
  }
  return view;
}

// The request of an action, as the agent takes it (person.h).
std::string ActionRequest(const Action& action, const std::optional<DialogView>& top, std::string& problem) {
  return std::visit(
      [&](const auto& a) -> std::string {
        using T = std::decay_t<decltype(a)>;
        if constexpr (std::is_same_v<T, SelectPort>) {
          const ControlView* list = top ? top->Find(1017) : nullptr;
          if (list != nullptr) {
            for (std::size_t index = 0; index < list->items.size(); ++index) {
              if (list->items[index] == a.portName) return "act select 1017 " + std::to_string(index);
            }
          }
          problem = a.portName + " is not in the port list";
          return {};
        } else if constexpr (std::is_same_v<T, SelectWatchLine>) {
          return "act select 1008 " + std::to_string(a.index);
        } else if constexpr (std::is_same_v<T, ChooseItem>) {
          return "act choose " + std::to_string(a.controlId) + " " + std::to_string(a.index);
        } else if constexpr (std::is_same_v<T, DropList>) {
          return "act drop " + std::to_string(a.controlId);
        } else if constexpr (std::is_same_v<T, TypeText>) {
          return "act type " + std::to_string(a.controlId) + " " + QuoteWord(a.text);
        } else if constexpr (std::is_same_v<T, Click>) {
          return "act click " + std::to_string(a.controlId);
        } else if constexpr (std::is_same_v<T, PressKey>) {
          return "act key " + std::to_string(a.virtualKey) + (a.shift ? " 1" : " 0") + (a.alt ? " 1" : " 0");
        } else if constexpr (std::is_same_v<T, TypeCharacters>) {
          return "act chars " + QuoteWord(a.text);
        } else if constexpr (std::is_same_v<T, MoveFocus>) {
          return "act focus " + std::to_string(a.controlId);
        } else if constexpr (std::is_same_v<T, CloseWindow>) {
          return "act close";
        } else if constexpr (std::is_same_v<T, SystemCommand>) {
          return "act syscommand " + std::to_string(a.commandId);
        } else {
          problem = "the platform decides a minimized window's client area";
          return {};
        }
      },
      action);
}

}  // namespace

std::optional<std::string> UnmakeableUnderWine(const Script& script) {
  for (const ScriptLine& line : script.lines) {
    const auto* world = std::get_if<WorldDirective>(&line.directive);
    const auto* key = world != nullptr ? std::get_if<SetKey>(world) : nullptr;
    const auto* action = std::get_if<Action>(&line.directive);
    if ((key != nullptr && (key->state == KeyState::RejectsWrites || key->state == KeyState::CloseFails)) ||
        (action != nullptr && std::holds_alternative<PaintMinimized>(*action))) {
      return std::to_string(line.line) + ": " + line.text;
    }
  }
  return std::nullopt;
}

WineRun::WineRun(const Script& script, std::ostream& out, const WineSetup& setup)
    : ScenarioSession(script, out), m_world(setup) {
  framework::SetResourceLanguage(1033);
  m_pendingRequests.push_back("key present");
}

void WineRun::ApplyWorld(const WorldDirective& directive) {
  std::visit(
      [this](const auto& d) {
        using T = std::decay_t<decltype(d)>;
        std::string request;
        if constexpr (std::is_same_v<T, SetLanguage>) {
          if (m_agent) throw WorldError("the language is chosen before start");
          m_locale = LocaleOf(d.langId);
          framework::SetResourceLanguage(d.langId);  // to name the strings of message boxes
        } else if constexpr (std::is_same_v<T, SetPort>) {
          m_world.Ports().Set(d.number, d.busy);
        } else if constexpr (std::is_same_v<T, SetDriver>) {
          m_world.Device().Set(d.state);
        } else if constexpr (std::is_same_v<T, SetKey>) {
          request = std::string("key ") + (d.state == KeyState::Absent ? "absent" : "present");
        } else if constexpr (std::is_same_v<T, SetValue>) {
          request =
              "value " + QuoteWord(d.name) + " " + std::to_string(d.isWord ? 4 : 3) + " " + QuoteWord(HexText(d.data));
        } else {
          m_world.Devcon().Set(d);
        }
        if (request.empty()) return;
        if (m_agent) {
          Ask(request);
        } else {
          m_pendingRequests.push_back(request);
        }
      },
      directive);
}

void WineRun::StartProgram() {
  m_agent = std::make_unique<AgentLink>(m_world.AgentCommand(), m_world.Environment(m_locale), m_world.ErrorLog());
  for (const std::string& request : m_pendingRequests) Ask(request);
  m_pendingRequests.clear();
  if (const auto problem = Drive("start")) m_transcript.Note("the program could not start: " + *problem);
}

std::optional<std::string> WineRun::PerformAction(const Action& action) {
  std::string problem;
  const std::string request = ActionRequest(action, View("top"), problem);
  if (!problem.empty()) return problem;
  return Drive(request);
}

std::optional<std::string> WineRun::Drive(const std::string& request) {
  std::vector<std::string> reply = Ask(request);
  std::optional<std::string> problem;
  for (;;) {
    std::optional<std::vector<std::string>> box;
    for (const std::string& line : reply) {
      const std::vector<std::string> words = Words(line);
      if (words[0] == "debug") {
        NoteDebugText(words.at(1));
      } else if (words[0] == "started") {
        m_record.mainStarted = true;
      } else if (words[0] == "ended") {
        if (!m_record.mainEnded) NoteMainEnded(std::stol(words.at(1)));
      } else if (words[0] == "problem") {
        problem = words.at(1);
      } else if (words[0] == "box") {
        box = words;
      }
    }
    if (!box) return problem;
    const BoxAnswer answer = AnswerBox(box->at(2), box->at(3), static_cast<unsigned>(std::stoul(box->at(1))));
    reply = Ask("press " + std::to_string(answer.answer));
    if (answer.gaveUp) {
      // The program goes on with the box's default answer and then ends.
      const std::vector<std::string> more = Ask("quit");
      reply.insert(reply.end(), more.begin(), more.end());
    }
  }
}

void WineRun::Poll() { NoteNews(m_world.Poll()); }

void WineRun::EndOfScript() {
  if (!m_agent || !m_record.mainStarted || m_record.mainEnded) return;
  NoteEndWhileRunning();
  Drive("quit");
}

std::vector<std::string> WineRun::Ask(const std::string& request) const {
  if (!m_agent) throw WorldError("the program has not started");
  return m_agent->Request(request);
}

std::optional<DialogView> WineRun::View(const std::string& which) const {
  const std::vector<std::string> lines = Ask("view " + which);
  if (lines.empty() || lines.front() == "none") return std::nullopt;
  return ParseView(lines);
}

std::optional<DialogView> WineRun::MainView() const { return View("main"); }

std::optional<DialogView> WineRun::TopView() const { return View("top"); }

std::optional<int> WineRun::TopDialogId() const {
  const std::vector<std::string> lines = Ask("top");
  if (lines.empty() || lines.front() == "none") return std::nullopt;
  return std::stoi(Words(lines.front()).at(1));
}

int WineRun::EditMode() const { return std::stoi(Words(Ask("editing").at(0)).at(1)); }

std::string WineRun::CurrentPort() const { return Words(Ask("editing").at(1)).at(1); }

std::vector<std::pair<std::string, int>> WineRun::OpenHandles() const {
  std::vector<std::pair<std::string, int>> open;
  for (const std::string& line : Ask("census")) {
    const std::vector<std::string> words = Words(line);
    open.emplace_back(words.at(1), std::stoi(words.at(2)));
  }
  return open;
}

std::variant<winapi::Hive, std::string> WineRun::Store() const {
  const std::vector<std::string> lines = Ask("store");
  if (!lines.empty() && lines.front() == "absent") return ServiceKeyHive(false);
  std::vector<winapi::HiveValue> values;
  for (const std::string& line : lines) {
    const std::vector<std::string> words = Words(line);
    const auto data = ParseHexBytes(words.at(3));
    if (!data) return "the agent's value is not hex: " + line;
    values.push_back({words.at(1), static_cast<DWORD>(std::stoul(words.at(2))), {data->begin(), data->end()}});
  }
  return ServiceKeyHive(true, values);
}

}  // namespace scenario
