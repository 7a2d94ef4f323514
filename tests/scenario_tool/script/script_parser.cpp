#include "tests/scenario_tool/script/script_parser.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <span>
#include <sstream>

#include "framework/linux/winuser.h"
#include "tests/scenario_tool/script/resource_names.h"
#include "tests/scenario_tool/script/script_numbers.h"
#include "tests/scenario_tool/script/script_words.h"

namespace scenario {
namespace {

using Args = std::span<const std::string>;
using Parsed = std::variant<Directive, std::string>;

// An id as a number or by its name of that kind in resource.h (IDC_ADD_BUTTON, IDOK).
std::optional<int> Id(const std::string& word, IdKind kind) {
  if (const auto named = NamedId(word, kind)) return named;
  const auto id = ParseDecimal(word, 0, 0xFFFF);
  return id ? std::optional<int>(static_cast<int>(*id)) : std::nullopt;
}
// -1 stands for the template's unnamed controls (IDC_STATIC), the first of them.
std::optional<int> ControlId(const std::string& word) { return word == "-1" ? -1 : Id(word, IdKind::Control); }
std::optional<int> Index(const std::string& word, long long min) {
  const auto index = ParseDecimal(word, min, 0x7FFFFFFF);
  return index ? std::optional<int>(static_cast<int>(*index)) : std::nullopt;
}
std::optional<int> Coordinate(const std::string& word) {
  const auto value = ParseDecimal(word, -0x80000000LL, 0x7FFFFFFF);
  return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}
std::optional<bool> ZeroOrOne(const std::string& word) {
  if (word == "0") return false;
  if (word == "1") return true;
  return std::nullopt;
}

std::vector<std::string> Texts(Args args) { return {args.begin(), args.end()}; }

template <class Enum>
std::optional<Enum> Choice(const std::string& word, std::initializer_list<std::pair<const char*, Enum>> choices) {
  for (const auto& [name, value] : choices) {
    if (word == name) return value;
  }
  return std::nullopt;
}

// ---- The world ---------------------------------------------------------------------
Parsed Lang(Args args) {
  const auto id = args.size() == 1 ? ParseDecimal(args[0], 1, 0xFFFF) : std::nullopt;
  if (!id) return "lang wants one LANGID, such as 1033";
  return WorldDirective(SetLanguage{static_cast<std::uint16_t>(*id)});
}

Parsed Port(Args args) {
  const auto number = args.size() == 2 ? ParsePortNumber(args[0]) : std::nullopt;
  const auto busy = args.size() == 2 ? Choice<bool>(args[1], {{"free", false}, {"busy", true}}) : std::nullopt;
  if (!number || !busy) return "port wants COMn (n from 1, no leading zeros) and free or busy";
  return WorldDirective(SetPort{*number, *busy});
}

Parsed Driver(Args args) {
  const auto state = args.size() == 1 ? Choice<DriverState>(args[0], {{"running", DriverState::Running},
                                                                      {"absent", DriverState::Absent},
                                                                      {"busy", DriverState::Busy},
                                                                      {"rejects-writes", DriverState::RejectsWrites}})
                                      : std::nullopt;
  if (!state) return "driver wants running, absent, busy or rejects-writes";
  return WorldDirective(SetDriver{*state});
}

Parsed KeyStore(Args args) {
  const auto state = args.size() == 1 ? Choice<KeyState>(args[0], {{"present", KeyState::Present},
                                                                   {"absent", KeyState::Absent},
                                                                   {"rejects-writes", KeyState::RejectsWrites},
                                                                   {"close-fails", KeyState::CloseFails}})
                                      : std::nullopt;
  if (!state) return "key wants present, absent, rejects-writes or close-fails";
  return WorldDirective(SetKey{*state});
}

Parsed Value(Args args) {
  if (args.size() == 3 && !args[0].empty()) {
    if (args[1] == "dword") {
      if (const auto word = ParseHexWord(args[2])) {
        const std::uint32_t w = *word;
        Bytes littleEndian = {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8),
                              static_cast<std::uint8_t>(w >> 16), static_cast<std::uint8_t>(w >> 24)};
        return WorldDirective(SetValue{args[0], true, std::move(littleEndian)});
      }
    } else if (args[1] == "bytes") {
      if (auto bytes = ParseHexBytes(args[2])) return WorldDirective(SetValue{args[0], false, std::move(*bytes)});
    }
  }
  return "value wants a name and dword 0xHEX (up to 8 digits) or bytes HEX (pairs of digits)";
}

Parsed Devcon(Args args) {
  if (args.size() == 1 && args[0] == "ok") return WorldDirective(SetDevcon{DevconMode::Ok, {}, 0});
  if (args.size() == 1 && args[0] == "missing") return WorldDirective(SetDevcon{DevconMode::Missing, {}, 0});
  if (args.size() == 2 && args[0] == "sleep" && IsSeconds(args[1])) {
    return WorldDirective(SetDevcon{DevconMode::Sleep, args[1], 0});
  }
  if (args.size() == 2 && args[0] == "exit") {
    if (const auto code = ParseDecimal(args[1], 0, 255)) {
      return WorldDirective(SetDevcon{DevconMode::Exit, {}, static_cast<int>(*code)});
    }
  }
  return "devcon wants ok, missing, sleep SECONDS or exit N (0 to 255)";
}

// ---- Running and the person's actions ------------------------------------------------
Parsed StartProgram(Args args) {
  if (!args.empty()) return "start takes nothing";
  return Start{};
}

Parsed Answer(Args args) {
  QueueAnswers queue;
  for (const std::string& word : args) {
    const auto answer = Choice<int>(word, {{"ok", IDOK}, {"yes", IDYES}, {"no", IDNO}});
    if (!answer) return "answer wants ok, yes or no, not \"" + word + "\"";
    queue.answers.push_back(*answer);
  }
  if (queue.answers.empty()) return "answer wants at least one of ok, yes, no";
  return queue;
}

Parsed Select(Args args) {
  if (args.size() == 2 && args[0] == "ports") return Action(SelectPort{args[1]});
  if (args.size() == 2 && args[0] == "watch") {
    if (const auto index = Index(args[1], 0)) return Action(SelectWatchLine{*index});
  }
  return "select wants ports COMn or watch N";
}

Parsed Choose(Args args) {
  const auto id = args.size() == 2 ? ControlId(args[0]) : std::nullopt;
  const auto index = args.size() == 2 ? Index(args[1], 0) : std::nullopt;
  if (!id || !index) return "choose wants a combo id (or IDC_ name) and an item number from 0";
  return Action(ChooseItem{*id, *index});
}

Parsed Type(Args args) {
  const auto id = args.size() == 2 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "type wants a combo id (or IDC_ name) and one (quoted) text";
  return Action(TypeText{*id, args[1]});
}

Parsed Drop(Args args) {
  const auto id = args.size() == 1 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "drop wants one combo id (or IDC_ name)";
  return Action(DropList{*id});
}

Parsed ClickControl(Args args) {
  const auto id = args.size() == 1 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "click wants one control id (or IDC_ name, IDOK, IDCANCEL)";
  return Action(Click{*id});
}

Parsed KeyPress(Args args) {
  if (args.size() == 2 && args[0] == "char") {
    if (args[1].empty()) return "key char wants a text of at least one character";
    return Action(TypeCharacters{args[1]});
  }
  struct NamedKey {
    const char* name;
    unsigned virtualKey;
    bool shift;
    bool alt;
  };
  static constexpr NamedKey kKeys[] = {
      {"escape", VK_ESCAPE, false, false}, {"enter", VK_RETURN, false, false}, {"tab", VK_TAB, false, false},
      {"shift-tab", VK_TAB, true, false},  {"up", VK_UP, false, false},        {"down", VK_DOWN, false, false},
      {"home", VK_HOME, false, false},     {"end", VK_END, false, false},      {"pageup", VK_PRIOR, false, false},
      {"pagedown", VK_NEXT, false, false}, {"space", VK_SPACE, false, false},  {"alt-down", VK_DOWN, false, true},
      {"f4", VK_F4, false, false},
  };
  for (const NamedKey& key : kKeys) {
    if (args.size() == 1 && args[0] == key.name) return Action(PressKey{key.virtualKey, key.shift, key.alt});
  }
  return "key wants escape, enter, tab, shift-tab, up, down, home, end, pageup, pagedown, space, alt-down, f4 or "
         "char \"TEXT\"";
}

Parsed Focus(Args args) {
  const auto id = args.size() == 1 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "focus wants one control id (or IDC_ name, IDOK, IDCANCEL)";
  return Action(MoveFocus{*id});
}

Parsed Close(Args args) {
  if (!args.empty()) return "close takes nothing";
  return Action(CloseWindow{});
}

Parsed SysCommand(Args args) {
  std::optional<std::uint32_t> id;
  if (args.size() == 1) {
    const auto named = NamedId(args[0], IdKind::Command);
    id = named ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*named)) : ParseCommandId(args[0]);
  }
  if (!id) return "syscommand wants one command id (decimal, hex after 0x, or IDM_ name)";
  return Action(SystemCommand{*id});
}

Parsed Paint(Args args) {
  const auto width = args.size() == 2 ? Coordinate(args[0]) : std::nullopt;
  const auto height = args.size() == 2 ? Coordinate(args[1]) : std::nullopt;
  if (!width || !height) return "paint-minimized wants a width and a height";
  return Action(PaintMinimized{*width, *height});
}

// ---- Checks ------------------------------------------------------------------------
Parsed ExpectList(ListKind list, Args args) { return Check(ExpectLines{list, Texts(args)}); }

Parsed ExpectCombosOf(Args args) {
  ExpectCombos combos{};
  for (std::size_t k = 0; k < 3; ++k) {
    const auto index = args.size() == 3 ? Index(args[k], -1) : std::nullopt;
    if (!index) return "expect combos wants three selection indexes (-1 for none)";
    combos.selections[k] = *index;
  }
  return Check(combos);
}

Parsed ExpectItemsOf(Args args) {
  const auto id = args.empty() ? std::nullopt : ControlId(args[0]);
  if (!id) return "expect items wants a combo id (or IDC_ name) and its items";
  return Check(ExpectItems{*id, Texts(args.subspan(1))});
}

Parsed ExpectFlagOf(FlagKind flag, Args args) {
  const auto value = args.size() == 1 ? ZeroOrOne(args[0]) : std::nullopt;
  if (!value) return "the flag check wants 0 or 1";
  return Check(ExpectFlag{flag, *value ? 1 : 0});
}

Parsed ExpectCurrent(Args args) {
  if (args.size() != 1) return "expect current wants one (quoted) text";
  return Check(ExpectCurrentPort{args[0]});
}

Parsed ExpectState(ControlProperty property, Args args) {
  const auto id = args.size() == 2 ? ControlId(args[0]) : std::nullopt;
  const auto value = args.size() == 2 ? ZeroOrOne(args[1]) : std::nullopt;
  if (!id || !value) return "the check wants a control id (or IDC_ name; 0: the dialog) and 0 or 1";
  return Check(ExpectControlState{property, *id, *value});
}

Parsed ExpectTextOf(Args args) {
  const auto id = args.size() == 2 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "expect text wants a control id (0: the dialog) and one (quoted) text";
  return Check(ExpectText{*id, args[1]});
}

Parsed ExpectNameOf(Args args) {
  const auto id = args.size() == 2 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "expect name wants a control id (0: the dialog) and one (quoted) text";
  return Check(ExpectText{*id, args[1], true});
}

Parsed ExpectFocusOf(Args args) {
  if (args.size() == 1 && args[0] == "none") return Check(ExpectFocus{std::nullopt});
  const auto id = args.size() == 1 ? ControlId(args[0]) : std::nullopt;
  if (!id) return "expect focus wants one control id (0: the dialog) or none";
  return Check(ExpectFocus{*id});
}

Parsed ExpectBoxesOf(Args args) {
  ExpectBoxes boxes;
  for (const std::string& word : args) {
    const std::size_t slash = word.find('/');
    const std::string name = word.substr(0, slash);
    const auto id = slash == std::string::npos ? std::nullopt
                    : name == "other"          ? std::optional<int>(kOtherBox)
                                               : Id(name, IdKind::String);
    const auto type = slash == std::string::npos ? std::nullopt : ParseDecimal(word.substr(slash + 1), 0, 0xFFFF);
    if (!id || !type) {
      return "expect boxes wants ID/TYPE words such as 102/4, IDS_SAVE_BEFORE_QUIT/4 or other/0, not \"" + word + "\"";
    }
    boxes.boxes.push_back({static_cast<int>(*id), static_cast<unsigned>(*type)});
  }
  return Check(std::move(boxes));
}

Parsed ExpectBoxTextOf(Args args) {
  if (args.size() != 1) return "expect box-text wants one (quoted) text";
  return Check(ExpectBoxText{args[0]});
}

Parsed ExpectDialogOf(Args args) {
  const auto id = args.size() == 1 ? Id(args[0], IdKind::Template) : std::nullopt;
  if (!id) return "expect dialog wants one template id (or IDD_ name)";
  return Check(ExpectDialog{*id});
}

Parsed ExpectValueOf(Args args) {
  if (args.size() == 2 && !args[0].empty()) {
    if (args[1] == "missing") return Check(ExpectValue{args[0], std::nullopt});
    if (const auto word = ParseHexWord(args[1])) return Check(ExpectValue{args[0], *word});
  }
  return "expect value wants a name and 0xHEX or missing";
}

Parsed ExpectStoreOf(Args args) {
  ExpectStore store;
  bool othersGiven = false;
  for (const std::string& word : args) {
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
    if (equals == std::string::npos || othersGiven) {
      return "expect store wants COMn=0xHEX words, then others=0xHEX or others=missing";
    }
    if (name == "others") {
      othersGiven = true;
      if (value == "missing") continue;
      store.others = ParseHexWord(value);
      if (!store.others) return "expect store: others wants 0xHEX or missing";
    } else {
      const auto number = ParsePortNumber(name);
      const auto setting = ParseHexWord(value);
      if (!number || *number > 225 || !setting) {
        return "expect store: \"" + word + "\" is not COMn=0xHEX with n from 1 to 225";
      }
      store.listed.emplace_back(name, *setting);
    }
  }
  if (!othersGiven) return "expect store wants others=0xHEX or others=missing last";
  return Check(std::move(store));
}

Parsed ExpectDeviceOf(Args args) {
  ExpectDevice device;
  for (const std::string& word : args) {
    auto bytes = ParseHexBytes(word);
    if (!bytes || bytes->empty()) return "expect device wants one HEX word (pairs of digits) per write";
    device.writes.push_back(std::move(*bytes));
  }
  return Check(std::move(device));
}

Parsed ExpectIconOf(Args args) {
  const auto x = args.size() == 2 ? Coordinate(args[0]) : std::nullopt;
  const auto y = args.size() == 2 ? Coordinate(args[1]) : std::nullopt;
  if (!x || !y) return "expect icon wants X and Y";
  return Check(ExpectIcon{*x, *y});
}

Parsed ExpectNothing(Check check, const char* name, Args args) {
  if (!args.empty()) return std::string("expect ") + name + " takes nothing more";
  return check;
}

Parsed ExpectEndedOf(Args args) {
  const auto result = args.size() == 1 ? ParseDecimal(args[0], -0x80000000LL, 0x7FFFFFFF) : std::nullopt;
  if (!result) return "expect ended wants the modal loop's result, such as 1, 2 or -1";
  return Check(ExpectEnded{static_cast<long>(*result)});
}

Parsed Expect(Args args) {
  if (args.empty()) return "expect wants what to check";
  const std::string& what = args[0];
  const Args rest = args.subspan(1);
  static const std::map<std::string, std::function<Parsed(Args)>> checks = {
      {"ports", [](Args a) { return ExpectList(ListKind::Ports, a); }},
      {"watch", [](Args a) { return ExpectList(ListKind::Watch, a); }},
      {"sysmenu", [](Args a) { return ExpectList(ListKind::Sysmenu, a); }},
      {"debug", [](Args a) { return ExpectList(ListKind::Debug, a); }},
      {"devcon", [](Args a) { return ExpectList(ListKind::Devcon, a); }},
      {"combos", ExpectCombosOf},
      {"items", ExpectItemsOf},
      {"dirty", [](Args a) { return ExpectFlagOf(FlagKind::Dirty, a); }},
      {"editmode", [](Args a) { return ExpectFlagOf(FlagKind::EditMode, a); }},
      {"current", ExpectCurrent},
      {"enabled", [](Args a) { return ExpectState(ControlProperty::Enabled, a); }},
      {"visible", [](Args a) { return ExpectState(ControlProperty::Visible, a); }},
      {"shows-icon", [](Args a) { return ExpectState(ControlProperty::ShowsIcon, a); }},
      {"text", ExpectTextOf},
      {"name", ExpectNameOf},
      {"focus", ExpectFocusOf},
      {"boxes", ExpectBoxesOf},
      {"box-text", ExpectBoxTextOf},
      {"dialog", ExpectDialogOf},
      {"value", ExpectValueOf},
      {"store", ExpectStoreOf},
      {"device", ExpectDeviceOf},
      {"icon", ExpectIconOf},
      {"running", [](Args a) { return ExpectNothing(ExpectRunning{}, "running", a); }},
      {"ended", ExpectEndedOf},
      {"nothing-open", [](Args a) { return ExpectNothing(ExpectNothingOpen{}, "nothing-open", a); }},
  };
  const auto check = checks.find(what);
  if (check == checks.end()) return "unknown check \"expect " + what + "\"";
  return check->second(rest);
}

// `key` is both a world directive (key present) and an action (key escape).
Parsed KeyDirective(Args args) {
  if (args.size() == 1 &&
      Choice<bool>(args[0], {{"present", true}, {"absent", true}, {"rejects-writes", true}, {"close-fails", true}})) {
    return KeyStore(args);
  }
  return KeyPress(args);
}

const std::map<std::string, Parsed (*)(Args)>& Keywords() {
  static const std::map<std::string, Parsed (*)(Args)> keywords = {
      {"lang", Lang},
      {"port", Port},
      {"driver", Driver},
      {"key", KeyDirective},
      {"value", Value},
      {"devcon", Devcon},
      {"start", StartProgram},
      {"answer", Answer},
      {"select", Select},
      {"choose", Choose},
      {"drop", Drop},
      {"type", Type},
      {"click", ClickControl},
      {"focus", Focus},
      {"close", Close},
      {"syscommand", SysCommand},
      {"paint-minimized", Paint},
      {"expect", Expect},
  };
  return keywords;
}

// Where a directive may stand: the order in which the file can run.
struct OrderRules {
  bool started = false;
  bool keyAbsent = false;

  std::optional<std::string> Admit(const Directive& directive) {
    if (std::holds_alternative<Start>(directive)) {
      if (started) return "start may stand only once";
      started = true;
      return std::nullopt;
    }
    if (const auto* world = std::get_if<WorldDirective>(&directive)) {
      if (std::holds_alternative<SetLanguage>(*world) && started) return "lang must stand before start";
      if (const auto* key = std::get_if<SetKey>(world)) keyAbsent = key->state == KeyState::Absent;
      if (std::holds_alternative<SetValue>(*world) && keyAbsent) return "value under a key that is absent";
      return std::nullopt;
    }
    if (!started && (std::holds_alternative<Action>(directive) || std::holds_alternative<Check>(directive))) {
      return "actions and checks must stand after start";
    }
    return std::nullopt;
  }
};

}  // namespace

Parsed ParseDirective(const std::vector<std::string>& words) {
  const std::string& keyword = words.front();
  const Args args = Args(words).subspan(1);
  const auto parser = Keywords().find(keyword);
  if (parser == Keywords().end()) return "unknown directive \"" + keyword + "\"";
  return parser->second(args);
}

std::optional<Script> ParseScript(std::string_view text, const std::string& path, std::vector<ParseError>* errors) {
  Script script{path, {}};
  OrderRules order;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string error;
    const auto words = SplitWords(line, &error);
    if (!words) {
      errors->push_back({number, error});
      continue;
    }
    if (words->empty()) continue;
    auto parsed = ParseDirective(*words);
    if (auto* message = std::get_if<std::string>(&parsed)) {
      errors->push_back({number, *message});
      continue;
    }
    Directive& directive = std::get<Directive>(parsed);
    if (auto misplaced = order.Admit(directive)) {
      errors->push_back({number, *misplaced});
      continue;
    }
    script.lines.push_back({number, line, std::move(directive)});
  }
  if (!order.started) errors->push_back({0, "the scenario has no start"});
  if (!errors->empty()) return std::nullopt;
  return script;
}

std::optional<Script> ReadScript(const std::string& path, std::vector<ParseError>* errors) {
  std::error_code error;
  std::ifstream file(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path, error) || !file) {
    errors->push_back({0, "cannot read the file"});
    return std::nullopt;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) {
    errors->push_back({0, "cannot read the file"});
    return std::nullopt;
  }
  return ParseScript(text, path, errors);
}

}  // namespace scenario
