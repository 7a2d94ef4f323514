#include "tests/scenario_tool/script/script_parser.h"

#include <gtest/gtest.h>

#include "framework/linux/winuser.h"

namespace scenario {
namespace {

// The one directive of `line`, parsed as if it stood after start.
Directive ParseOne(const std::string& line) {
  std::vector<ParseError> errors;
  const auto script = ParseScript("start\n" + line + "\n", "t", &errors);
  EXPECT_TRUE(script.has_value()) << line << ": " << (errors.empty() ? "" : errors.front().message);
  if (!script || script->lines.size() != 2) return Start{};
  return script->lines[1].directive;
}

// The lines that are not understood, by number.
std::vector<int> ErrorLines(const std::string& text) {
  std::vector<ParseError> errors;
  EXPECT_FALSE(ParseScript(text, "t", &errors).has_value()) << text;
  std::vector<int> lines;
  for (const ParseError& error : errors) lines.push_back(error.line);
  return lines;
}

bool Refused(const std::string& line) { return ErrorLines("start\n" + line + "\n") == std::vector<int>{2}; }

template <class T, class Group>
T As(const Directive& directive) {
  const auto* group = std::get_if<Group>(&directive);
  if (group == nullptr || !std::holds_alternative<T>(*group)) {
    ADD_FAILURE() << "not the expected directive";
    return T{};
  }
  return std::get<T>(*group);
}
template <class T>
T AsWorld(const Directive& directive) {
  return As<T, WorldDirective>(directive);
}
template <class T>
T AsAction(const Directive& directive) {
  return As<T, Action>(directive);
}
template <class T>
T AsCheck(const Directive& directive) {
  return As<T, Check>(directive);
}

TEST(ScriptParser, TheExampleScenarioParsesCompletely) {
  const char* text =
      "port COM1 free\nport COM3 free\nvalue COM3 dword 0x27\nstart\nexpect ports COM1\n"
      "expect watch \"COM3-HID_Touch_Digitizer-9600-PnP \"\nexpect enabled 1018 0\nselect ports COM1\n"
      "choose 1006 1\nchoose 1022 4\nchoose 1023 1\nclick 1007\n"
      "expect watch \"COM1-Traditional_Touch_Screen-9600-NoPnP \" \"COM3-HID_Touch_Digitizer-9600-PnP \"\n"
      "expect dirty 1\nclick 1018\nexpect debug \"dwSetting: 1, BaudIndex: 2580\" \"dwSetting: 7, BaudIndex: 2580\"\n"
      "expect store COM1=0x21 COM3=0x27 others=0\nexpect device 0A0142\nexpect dirty 0\nclick 1\nexpect ended 1\n"
      "expect boxes\n";
  std::vector<ParseError> errors;
  const auto script = ParseScript(text, "example", &errors);
  ASSERT_TRUE(script.has_value()) << errors.front().line << ": " << errors.front().message;
  ASSERT_EQ(script->lines.size(), 22u);
  EXPECT_EQ(script->lines[3].line, 4);
  EXPECT_TRUE(std::holds_alternative<Start>(script->lines[3].directive));
  const auto store = AsCheck<ExpectStore>(script->lines[16].directive);
  EXPECT_EQ(store.listed, (std::vector<std::pair<std::string, std::uint32_t>>{{"COM1", 0x21}, {"COM3", 0x27}}));
  EXPECT_EQ(store.others, std::optional<std::uint32_t>(0));
  EXPECT_EQ(AsCheck<ExpectDevice>(script->lines[17].directive).writes, (std::vector<Bytes>{{0x0A, 0x01, 0x42}}));
}

TEST(ScriptParser, ValuesAreStoredAsTheirBytes) {
  const auto word = AsWorld<SetValue>(ParseOne("value COM3 dword 0x27"));
  EXPECT_TRUE(word.isWord);
  EXPECT_EQ(word.data, (Bytes{0x27, 0, 0, 0}));
  EXPECT_EQ(AsWorld<SetValue>(ParseOne("value COM3 dword FFFFFFFF")).data, (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  const auto bytes = AsWorld<SetValue>(ParseOne("value com5 bytes 0100000000000000"));
  EXPECT_FALSE(bytes.isWord);
  EXPECT_EQ(bytes.name, "com5");
  EXPECT_EQ(bytes.data.size(), 8u);
  EXPECT_TRUE(AsWorld<SetValue>(ParseOne("value COM7 bytes \"\"")).data.empty());
  EXPECT_TRUE(Refused("value COM3 dword 0x123456789"));
  EXPECT_TRUE(Refused("value COM3 dword -1"));
  EXPECT_TRUE(Refused("value COM3 bytes 010"));
  EXPECT_TRUE(Refused("value COM3 bytes 0g"));
  EXPECT_TRUE(Refused("value COM3 qword 1"));
}

TEST(ScriptParser, ActionsTakeTheirArguments) {
  EXPECT_EQ(AsAction<SystemCommand>(ParseOne("syscommand 0xF060")).commandId, 0xF060u);
  EXPECT_EQ(AsAction<SystemCommand>(ParseOne("syscommand 61536")).commandId, 0xF060u);
  const auto shiftTab = AsAction<PressKey>(ParseOne("key shift-tab"));
  EXPECT_EQ(shiftTab.virtualKey, static_cast<unsigned>(VK_TAB));
  EXPECT_TRUE(shiftTab.shift);
  EXPECT_EQ(AsAction<TypeText>(ParseOne("type 1022 \"48 00\"")).text, "48 00");
  EXPECT_EQ(AsAction<PaintMinimized>(ParseOne("paint-minimized 0 -5")).height, -5);
  const auto altDown = AsAction<PressKey>(ParseOne("key alt-down"));
  EXPECT_EQ(altDown.virtualKey, static_cast<unsigned>(VK_DOWN));
  EXPECT_TRUE(altDown.alt);
  EXPECT_EQ(AsAction<TypeCharacters>(ParseOne("key char \"c o\"")).text, "c o");
  EXPECT_FALSE(AsCheck<ExpectFocus>(ParseOne("expect focus none")).controlId);
  EXPECT_TRUE(Refused("key space bar"));
  EXPECT_TRUE(Refused("key char"));
  EXPECT_TRUE(Refused("key char \"\""));
  EXPECT_TRUE(Refused("key alt-up"));
  EXPECT_TRUE(Refused("choose 1006 -1"));
  EXPECT_TRUE(Refused("select watch"));
  EXPECT_TRUE(Refused("select combo 1"));
  EXPECT_TRUE(Refused("click"));
  EXPECT_TRUE(Refused("click 1 2"));
  EXPECT_TRUE(Refused("close now"));
  EXPECT_TRUE(Refused("answer ok maybe"));
  EXPECT_TRUE(Refused("answer"));
}

TEST(ScriptParser, IdsMayBeWrittenByTheirResourceNamesOfTheRightKind) {
  EXPECT_EQ(AsAction<Click>(ParseOne("click IDC_ADD_BUTTON")).controlId, 1007);
  EXPECT_EQ(AsAction<Click>(ParseOne("click IDOK")).controlId, 1);
  EXPECT_EQ(AsAction<ChooseItem>(ParseOne("choose IDC_BAUD_RATE_COMBO 4")).controlId, 1022);
  EXPECT_EQ(AsCheck<ExpectControlState>(ParseOne("expect enabled IDC_APPLY_BUTTON 0")).controlId, 1018);
  EXPECT_EQ(AsCheck<ExpectBoxes>(ParseOne("expect boxes IDS_WRITE_SETTING_ERROR/0 102/4")).boxes,
            (std::vector<BoxSeen>{{106, 0}, {102, 4}}));
  EXPECT_EQ(AsCheck<ExpectDialog>(ParseOne("expect dialog IDD_ABOUTBOX")).templateId, 100);
  EXPECT_EQ(AsAction<SystemCommand>(ParseOne("syscommand IDM_ABOUTBOX")).commandId, 16u);
  const auto icon = AsCheck<ExpectControlState>(ParseOne("expect shows-icon -1 0"));
  EXPECT_EQ(icon.controlId, -1);  // the template's unnamed controls
  EXPECT_EQ(icon.property, ControlProperty::ShowsIcon);
  EXPECT_TRUE(Refused("click -2"));
  EXPECT_TRUE(Refused("click IDS_ADD_BUTTON"));
  EXPECT_TRUE(Refused("click IDC_NO_SUCH_CONTROL"));
  EXPECT_TRUE(Refused("click idc_add_button"));
  EXPECT_TRUE(Refused("expect boxes IDC_ADD_BUTTON/0"));
  EXPECT_TRUE(Refused("expect dialog IDC_ADD_BUTTON"));
  EXPECT_TRUE(Refused("syscommand IDOK"));
}

TEST(ScriptParser, NumbersOutOfTheirRangeAreRefused) {
  EXPECT_EQ(AsAction<SystemCommand>(ParseOne("syscommand 4294967295")).commandId, 0xFFFFFFFFu);
  EXPECT_TRUE(Refused("syscommand 4294967296"));
  EXPECT_TRUE(Refused("syscommand 0x"));
  EXPECT_TRUE(Refused("syscommand -1"));
  EXPECT_EQ(AsCheck<ExpectEnded>(ParseOne("expect ended -2147483648")).result, -2147483648L);
  EXPECT_TRUE(Refused("expect ended -2147483649"));
  EXPECT_TRUE(Refused("paint-minimized 2147483648 0"));
  EXPECT_TRUE(Refused("click 65536"));
  EXPECT_TRUE(Refused("click +1"));
  EXPECT_TRUE(Refused("click 1x"));
  EXPECT_TRUE(Refused("expect value COM1 0x"));
  EXPECT_TRUE(Refused("expect value COM1 +27"));
  EXPECT_EQ(ErrorLines("lang 0\nstart\n"), std::vector<int>{1});
  EXPECT_EQ(ErrorLines("lang 65536\nstart\n"), std::vector<int>{1});
  std::vector<ParseError> errors;
  const auto script = ParseScript("lang 1041\nstart\n", "t", &errors);
  ASSERT_TRUE(script.has_value());
  EXPECT_EQ(AsWorld<SetLanguage>(script->lines.front().directive).langId, 1041);
}

TEST(ScriptParser, KeyIsTheSettingsKeyOrAKeyPress) {
  EXPECT_EQ(AsWorld<SetKey>(ParseOne("key rejects-writes")).state, KeyState::RejectsWrites);
  EXPECT_EQ(AsAction<PressKey>(ParseOne("key escape")).virtualKey, static_cast<unsigned>(VK_ESCAPE));
  EXPECT_EQ(ErrorLines("key escape\nstart\n"), std::vector<int>{1});
}

TEST(ScriptParser, ChecksTakeTheirArguments) {
  const auto boxes = AsCheck<ExpectBoxes>(ParseOne("expect boxes 102/4 other/0 105/0"));
  EXPECT_EQ(boxes.boxes, (std::vector<BoxSeen>{{102, 4}, {kOtherBox, 0}, {105, 0}}));
  EXPECT_TRUE(AsCheck<ExpectBoxes>(ParseOne("expect boxes")).boxes.empty());
  EXPECT_EQ(AsCheck<ExpectValue>(ParseOne("expect value COM2 missing")).word, std::nullopt);
  EXPECT_EQ(AsCheck<ExpectStore>(ParseOne("expect store others=missing")).others, std::nullopt);
  EXPECT_EQ(AsCheck<ExpectEnded>(ParseOne("expect ended -1")).result, -1);
  EXPECT_EQ(AsCheck<ExpectCurrentPort>(ParseOne("expect current \"\"")).text, "");
  EXPECT_TRUE(AsCheck<ExpectText>(ParseOne("expect name IDC_PORT_LIST \"Ports\"")).accessibleName);
  EXPECT_FALSE(AsCheck<ExpectText>(ParseOne("expect text 1 \"Quit\"")).accessibleName);
  EXPECT_TRUE(Refused("expect boxes 102"));
  EXPECT_TRUE(Refused("expect boxes 102/x"));
  EXPECT_TRUE(Refused("expect boxes other"));
  EXPECT_TRUE(Refused("expect store COM1=0x21"));
  EXPECT_TRUE(Refused("expect store others=0 COM1=0x21"));
  EXPECT_TRUE(Refused("expect store COM226=0 others=0"));
  EXPECT_TRUE(Refused("expect combos -1 -1"));
  EXPECT_TRUE(Refused("expect combos -1 -1 -2"));
  EXPECT_TRUE(Refused("expect dirty 2"));
  EXPECT_TRUE(Refused("expect device 0A01 4"));
  EXPECT_TRUE(Refused("expect current"));
  EXPECT_TRUE(Refused("expect name 1017"));
  EXPECT_TRUE(Refused("expect running now"));
  EXPECT_TRUE(Refused("expect colour 1"));
}

TEST(ScriptParser, PortNamesAndWorldChoices) {
  EXPECT_EQ(AsWorld<SetPort>(ParseOne("port COM300 busy")).number, 300);
  EXPECT_TRUE(Refused("port COM0 free"));
  EXPECT_TRUE(Refused("port COM01 free"));
  EXPECT_TRUE(Refused("port com1 free"));
  EXPECT_TRUE(Refused("port COM1 open"));
  EXPECT_EQ(AsWorld<SetDevcon>(ParseOne("devcon sleep 0.5")).sleepSeconds, "0.5");
  EXPECT_EQ(AsWorld<SetDevcon>(ParseOne("devcon exit 255")).exitCode, 255);
  EXPECT_TRUE(Refused("devcon sleep .5"));
  EXPECT_TRUE(Refused("devcon sleep 5."));
  EXPECT_TRUE(Refused("devcon exit 256"));
  EXPECT_TRUE(Refused("driver stopped"));
}

TEST(ScriptParser, TheOrderOfTheFileMustBeRunnable) {
  EXPECT_EQ(ErrorLines("expect dirty 0\nstart\n"), std::vector<int>{1});
  EXPECT_EQ(ErrorLines("click 1\nstart\n"), std::vector<int>{1});
  EXPECT_EQ(ErrorLines("start\nstart\n"), std::vector<int>{2});
  EXPECT_EQ(ErrorLines("port COM1 free\n"), std::vector<int>{0});
  EXPECT_EQ(ErrorLines("start\nlang 1031\n"), std::vector<int>{2});
  EXPECT_EQ(ErrorLines("key absent\nvalue COM1 dword 1\nstart\n"), std::vector<int>{2});
  std::vector<ParseError> errors;
  EXPECT_TRUE(
      ParseScript("answer yes\nkey absent\nkey present\nvalue COM1 dword 1\nstart\ndriver absent\n", "t", &errors));
}

TEST(ScriptParser, EveryLineNotUnderstoodIsListed) {
  EXPECT_EQ(ErrorLines("# comment\nbogus\nstart\n\nclick x\n\"unclosed\n"), (std::vector<int>{2, 5, 6}));
}

TEST(ScriptParser, AnUnreadableFileIsAnError) {
  std::vector<ParseError> errors;
  EXPECT_FALSE(ReadScript("/nonexistent/file.scenario", &errors).has_value());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front().line, 0);
  errors.clear();
  EXPECT_FALSE(ReadScript("/tmp", &errors).has_value());
  EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
}  // namespace scenario
