// The directives of a scenario file, each as the parser understood it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace scenario {

using Bytes = std::vector<std::uint8_t>;

// ---- The world ---------------------------------------------------------------
struct SetLanguage {
  std::uint16_t langId;
};
struct SetPort {
  int number;  // COMn
  bool busy;
};
enum class DriverState { Running, Absent, Busy, RejectsWrites };
struct SetDriver {
  DriverState state;
};
enum class KeyState { Present, Absent, RejectsWrites, CloseFails };
struct SetKey {
  KeyState state;
};
struct SetValue {
  std::string name;
  bool isWord;  // a REG_DWORD; otherwise bytes of any length
  Bytes data;
};
enum class DevconMode { Ok, Missing, Sleep, Exit };
struct SetDevcon {
  DevconMode mode;
  std::string sleepSeconds;  // for Sleep, a decimal number as written
  int exitCode = 0;          // for Exit
};
using WorldDirective = std::variant<SetLanguage, SetPort, SetDriver, SetKey, SetValue, SetDevcon>;

// ---- Running -----------------------------------------------------------------
struct Start {};
struct QueueAnswers {
  std::vector<int> answers;  // IDOK, IDYES, IDNO
};

// ---- The person's actions ---------------------------------------------------
struct SelectPort {
  std::string portName;
};
struct SelectWatchLine {
  int index;
};
struct ChooseItem {
  int controlId;
  int index;
};
struct DropList {
  int controlId;
};
struct TypeText {
  int controlId;
  std::string text;
};
struct Click {
  int controlId;
};
struct PressKey {
  unsigned virtualKey;
  bool shift;
  bool alt;
};
struct TypeCharacters {  // key char "TEXT": typed with the focus where it is
  std::string text;
};
struct MoveFocus {
  int controlId;
};
struct CloseWindow {};
struct SystemCommand {
  std::uint32_t commandId;
};
struct PaintMinimized {
  int width;
  int height;
};
using Action = std::variant<SelectPort, SelectWatchLine, ChooseItem, DropList, TypeText, Click, PressKey,
                            TypeCharacters, MoveFocus, CloseWindow, SystemCommand, PaintMinimized>;

// ---- Checks -------------------------------------------------------------------
enum class ListKind { Ports, Watch, Sysmenu, Debug, Devcon };
struct ExpectLines {  // ports, watch, sysmenu, debug, devcon
  ListKind list;
  std::vector<std::string> lines;
};
struct ExpectCombos {
  int selections[3];
};
struct ExpectItems {
  int controlId;
  std::vector<std::string> items;
};
enum class FlagKind { Dirty, EditMode };
struct ExpectFlag {
  FlagKind flag;
  int value;
};
struct ExpectCurrentPort {
  std::string text;
};
enum class ControlProperty { Enabled, Visible, ShowsIcon };
struct ExpectControlState {
  ControlProperty property;
  int controlId;  // 0: the dialog itself
  bool value;
};
struct ExpectText {
  int controlId;
  std::string text;
  bool accessibleName = false;  // the name a screen reader reads, not the text shown
};
struct ExpectFocus {
  std::optional<int> controlId;  // nullopt: no control has the focus
};
// A box is named by the id of the program's string it shows; kOtherBox when it
// shows none of them.
inline constexpr int kOtherBox = 0;
struct BoxSeen {
  int stringId;
  unsigned type;
  friend bool operator==(const BoxSeen&, const BoxSeen&) = default;
};
struct ExpectBoxes {
  std::vector<BoxSeen> boxes;
};
struct ExpectBoxText {
  std::string text;
};
struct ExpectDialog {
  int templateId;
};
struct ExpectValue {
  std::string name;
  std::optional<std::uint32_t> word;  // nullopt: missing
};
struct ExpectStore {
  std::vector<std::pair<std::string, std::uint32_t>> listed;
  std::optional<std::uint32_t> others;  // nullopt: missing
};
struct ExpectDevice {
  std::vector<Bytes> writes;
};
struct ExpectIcon {
  int x;
  int y;
};
struct ExpectRunning {};
struct ExpectEnded {
  long result;
};
struct ExpectNothingOpen {};
using Check = std::variant<ExpectLines, ExpectCombos, ExpectItems, ExpectFlag, ExpectCurrentPort, ExpectControlState,
                           ExpectText, ExpectFocus, ExpectBoxes, ExpectBoxText, ExpectDialog, ExpectValue, ExpectStore,
                           ExpectDevice, ExpectIcon, ExpectRunning, ExpectEnded, ExpectNothingOpen>;

using Directive = std::variant<WorldDirective, Start, QueueAnswers, Action, Check>;

struct ScriptLine {
  int line;          // 1-based line number in the file
  std::string text;  // the line as written, for messages
  Directive directive;
};

struct Script {
  std::string path;
  std::vector<ScriptLine> lines;  // the directives in file order; blank and comment lines left out
};

}  // namespace scenario
