#include "tests/scenario_tool/tool/checks.h"

#include <cstring>
#include <map>

#include "model/port_setting.h"
#include "tests/scenario_tool/script/script_words.h"
#include "tests/scenario_tool/script/text_format.h"
#include "tests/scenario_tool/tool/box_identity.h"
#include "tests/scenario_tool/tool/world/settings_hive.h"

namespace scenario {
namespace {

// How a stored value reads in a message: a word, or its line in the hive.
std::string ValueText(const winapi::HiveValue* value) {
  if (value == nullptr) return "missing";
  if (value->type == REG_DWORD && value->data.size() == 4) {
    const auto& bytes = value->data;  // little-endian, as the platform stores a word
    return WordText(static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24));
  }
  winapi::HiveValue unnamed = *value;
  unnamed.name.clear();  // formats as @=DATA
  return winapi::FormatHiveValue(unnamed, " ").substr(2);
}

bool Holds(const winapi::HiveValue* value, const std::optional<std::uint32_t>& expected) {
  return expected ? ValueText(value) == WordText(*expected) : value == nullptr;
}

std::string ExpectedValueText(const std::optional<std::uint32_t>& expected) {
  return expected ? WordText(*expected) : "missing";
}

class CheckRunner {
 public:
  CheckRunner(int line, CheckContext& context) : m_line(line), m_context(context) {}

  void operator()(const ExpectLines& check) {
    static const char* const names[] = {"ports", "watch", "sysmenu", "debug", "devcon"};
    const std::string what = std::string("expect ") + names[static_cast<int>(check.list)];
    if (const auto found = Lines(check.list)) Compare(what, QuotedList(check.lines), QuotedList(*found));
  }

  void operator()(const ExpectCombos& check) {
    const auto view = MainView("expect combos");
    if (!view) return;
    std::string expected;
    std::string found;
    for (int k = 0; k < 3; ++k) {
      static const int comboIds[] = {1006, 1022, 1023};
      const ControlView* combo = view->Find(comboIds[k]);
      AppendWord(expected, std::to_string(check.selections[k]));
      AppendWord(found, combo ? std::to_string(combo->selection) : std::string("(no combo)"));
    }
    Compare("expect combos", expected, found);
  }

  void operator()(const ExpectItems& check) {
    const auto view = MainView("expect items");
    if (!view) return;
    const ControlView* control = Control(*view, check.controlId, "expect items");
    if (control)
      Compare("expect items " + std::to_string(check.controlId), QuotedList(check.items), QuotedList(control->items));
  }

  void operator()(const ExpectFlag& check) {
    if (check.flag == FlagKind::EditMode) {
      Compare("expect editmode", std::to_string(check.value), std::to_string(m_context.platform.EditMode()));
      return;
    }
    const auto view = MainView("expect dirty");
    if (!view) return;
    Compare("expect dirty", std::to_string(check.value),
            view->dirtyFlag ? std::to_string(*view->dirtyFlag) : std::string("(not the main dialog)"));
  }

  void operator()(const ExpectCurrentPort& check) {
    Compare("expect current", QuoteWord(check.text), QuoteWord(m_context.platform.CurrentPort()));
  }

  void operator()(const ExpectControlState& check) {
    static const char* const names[] = {"enabled", "visible", "shows-icon"};
    const std::string what =
        std::string("expect ") + names[static_cast<int>(check.property)] + " " + std::to_string(check.controlId);
    const auto view = TopView(what);
    if (!view) return;
    if (const ControlView* control = Control(*view, check.controlId, what)) {
      const bool found = check.property == ControlProperty::Enabled   ? control->enabled
                         : check.property == ControlProperty::Visible ? control->visible
                                                                      : control->showsIcon;
      Compare(what, std::to_string(check.value), std::to_string(found));
    }
  }

  void operator()(const ExpectText& check) {
    const std::string what = (check.accessibleName ? "expect name " : "expect text ") + std::to_string(check.controlId);
    const auto view = TopView(what);
    if (!view) return;
    if (const ControlView* control = Control(*view, check.controlId, what)) {
      Compare(what, QuoteWord(check.text), QuoteWord(check.accessibleName ? control->name : control->text));
    }
  }

  void operator()(const ExpectFocus& check) {
    const auto view = TopView("expect focus");
    if (!view) return;
    const auto named = [](const std::optional<int>& id) { return id ? std::to_string(*id) : std::string("none"); };
    Compare("expect focus", named(check.controlId), named(view->focusId));
  }

  void operator()(const ExpectBoxes& check) {
    const auto& boxes = m_context.record.boxes;
    std::vector<BoxSeen> found;
    for (std::size_t k = m_context.record.boxesChecked; k < boxes.size(); ++k) {
      found.push_back({StringIdOfText(boxes[k].text), boxes[k].type});
    }
    m_context.record.boxesChecked = boxes.size();
    Compare("expect boxes (since the previous one)", BoxList(check.boxes), BoxList(found));
  }

  void operator()(const ExpectBoxText& check) {
    const auto& boxes = m_context.record.boxes;
    Compare("expect box-text", QuoteWord(check.text), boxes.empty() ? "(no box)" : QuoteWord(boxes.back().text));
  }

  void operator()(const ExpectDialog& check) {
    const auto top = m_context.platform.TopDialogId();
    Compare("expect dialog", std::to_string(check.templateId), top ? std::to_string(*top) : "(no dialog runs)");
  }

  void operator()(const ExpectValue& check) {
    const auto hive = Hive("expect value");
    if (!hive) return;
    const winapi::HiveValue* value = winapi::FindHiveValue(*hive, kServiceKeyPath, check.name);
    if (!Holds(value, check.word)) {
      Fail("expect value " + check.name, ExpectedValueText(check.word), ValueText(value));
    }
  }

  void operator()(const ExpectStore& check) {
    const auto hive = Hive("expect store");
    if (!hive) return;
    std::map<std::string, std::uint32_t> listed(check.listed.begin(), check.listed.end());
    constexpr int kShown = 8;  // a whole wrong store would bury everything else
    int differing = 0;
    std::string expected;
    std::string found;
    for (int index = 0; index < model::kPortCount; ++index) {
      const std::string name = model::PortName(index);
      const auto entry = listed.find(name);
      const auto word = entry != listed.end() ? std::optional<std::uint32_t>(entry->second) : check.others;
      const winapi::HiveValue* value = winapi::FindHiveValue(*hive, kServiceKeyPath, name);
      if (Holds(value, word) || ++differing > kShown) continue;
      AppendWord(expected, name + "=" + ExpectedValueText(word));
      AppendWord(found, name + "=" + ValueText(value));
    }
    if (differing > kShown) found += " (and " + std::to_string(differing - kShown) + " more)";
    if (differing > 0) Fail("expect store (the names that differ)", expected, found);
  }

  void operator()(const ExpectDevice& check) {
    Compare("expect device", HexList(check.writes), HexList(m_context.platform.DeviceWrites()));
  }

  void operator()(const ExpectIcon& check) {
    const auto& icon = m_context.record.lastIcon;
    Compare("expect icon", std::to_string(check.x) + " " + std::to_string(check.y),
            icon ? std::to_string(icon->x) + " " + std::to_string(icon->y) : "(no icon drawn)");
  }

  void operator()(const ExpectRunning&) { Compare("expect running", "the dialog runs", MainState()); }

  void operator()(const ExpectEnded& check) {
    Compare("expect ended", "the dialog ended with " + std::to_string(check.result), MainState());
  }

  void operator()(const ExpectNothingOpen&) {
    std::string found;
    for (const auto& [what, count] : m_context.platform.OpenHandles()) {
      if (count != 0) AppendWord(found, std::to_string(count) + " " + what, ", ");
    }
    if (!found.empty()) Fail("expect nothing-open", "nothing open", found);
  }

 private:
  void Fail(const std::string& what, const std::string& expected, const std::string& found) {
    m_context.transcript.Failure(m_line, what, expected, found);
  }
  void Compare(const std::string& what, const std::string& expected, const std::string& found) {
    if (expected != found) Fail(what, expected, found);
  }

  std::optional<DialogView> MainView(const std::string& what) {
    auto view = m_context.platform.MainView();
    if (!view) m_context.transcript.Failure(m_line, what + ": the main dialog never ran");
    return view;
  }
  std::optional<DialogView> TopView(const std::string& what) {
    auto view = m_context.platform.TopView();
    if (!view) m_context.transcript.Failure(m_line, what + ": no dialog ever ran");
    return view;
  }
  const ControlView* Control(const DialogView& view, int id, const std::string& what) {
    const ControlView* control = view.Find(id);
    if (!control) {
      m_context.transcript.Failure(
          m_line, what + ": dialog " + std::to_string(view.templateId) + " has no control " + std::to_string(id));
    }
    return control;
  }

  std::optional<std::vector<std::string>> Lines(ListKind list) {
    switch (list) {
      case ListKind::Ports:
      case ListKind::Watch: {
        const char* what = list == ListKind::Ports ? "expect ports" : "expect watch";
        const auto view = MainView(what);
        if (!view) return std::nullopt;
        const ControlView* control = Control(*view, list == ListKind::Ports ? 1017 : 1008, what);
        return control ? std::optional(control->items) : std::nullopt;
      }
      case ListKind::Sysmenu: {
        const auto view = MainView("expect sysmenu");
        if (!view) return std::nullopt;
        std::vector<std::string> items;
        for (const auto& item : view->systemMenu) items.push_back(item.flags & MF_SEPARATOR ? "-" : item.text);
        return items;
      }
      case ListKind::Debug:
        return m_context.record.debugLines;
      case ListKind::Devcon:
        return m_context.platform.DevconRuns();
    }
    return std::nullopt;
  }

  std::optional<winapi::Hive> Hive(const std::string& what) {
    auto hive = m_context.platform.Store();
    if (auto* problem = std::get_if<std::string>(&hive)) {
      m_context.transcript.Failure(m_line, what + ": the settings store cannot be read: " + *problem);
      return std::nullopt;
    }
    return std::move(std::get<winapi::Hive>(hive));
  }

  std::string MainState() const {
    const ProgramRecord& record = m_context.record;
    if (record.mainEnded) return "the dialog ended with " + std::to_string(record.mainResult);
    if (record.mainStarted) return "the dialog runs";
    return "the dialog was never shown";
  }

  int m_line;
  CheckContext& m_context;
};

}  // namespace

void EvaluateCheck(const Check& check, int line, CheckContext& context) {
  std::visit(CheckRunner(line, context), check);
}

}  // namespace scenario
