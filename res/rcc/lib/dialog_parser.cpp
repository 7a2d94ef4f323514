#include <array>
#include <cctype>
#include <optional>
#include <string_view>
#include <utility>

#include "base/ascii.h"
#include "res/rcc/lib/statement_parsers.h"

namespace rcc {
namespace {

constexpr std::uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000, kWsBorder = 0x00800000, kWsSysMenu = 0x00080000;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr std::uint32_t kSsTypeMask = 0x1F, kSsIcon = 0x03;
constexpr std::int64_t kMinCoordinate = -32768, kMaxCoordinate = 32767;

// The control classes the dialog manager knows, by the names scripts use.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kControlClasses = {
    {{"button", "BUTTON"}, {"static", "STATIC"}, {"listbox", "LISTBOX"}, {"combobox", "COMBOBOX"}}};

void ParseRectangle(TokenCursor& in, int& x, int& y, int& cx, int& cy, std::string_view owner) {
  const std::string context = "between the coordinates of the " + std::string(owner);
  x = static_cast<int>(in.ExpectIntegerIn("x", kMinCoordinate, kMaxCoordinate));
  in.ExpectPunct(',', context);
  y = static_cast<int>(in.ExpectIntegerIn("y", kMinCoordinate, kMaxCoordinate));
  in.ExpectPunct(',', context);
  cx = static_cast<int>(in.ExpectIntegerIn("width", 0, kMaxCoordinate));
  in.ExpectPunct(',', context);
  cy = static_cast<int>(in.ExpectIntegerIn("height", 0, kMaxCoordinate));
}

Control ParseControl(TokenCursor& in) {
  Control control;
  const Token& textToken = in.Peek();
  const bool numberedText = textToken.kind != TokenKind::String;
  if (numberedText)
    control.iconResourceId = static_cast<int>(in.ExpectIntegerIn("control text", 1, 0xFFFF));
  else
    control.text = in.ExpectString("control text");
  in.ExpectPunct(',', "after the control text");
  control.id = static_cast<int>(in.ExpectIntegerIn("control id", -1, 0xFFFF));
  in.ExpectPunct(',', "after the control id");

  const Token& classToken = in.Peek();
  const std::string className = in.ExpectString("control class");
  for (const auto& [name, canonical] : kControlClasses)
    if (base::EqualsIgnoringAsciiCase(className, name)) control.className = canonical;
  if (control.className.empty()) throw RcError(classToken.where, "unsupported control class \"" + className + "\"");
  in.ExpectPunct(',', "after the control class");

  control.style = in.ExpectStyle("control style", kWsChild | kWsVisible);
  in.ExpectPunct(',', "after the control style");
  ParseRectangle(in, control.x, control.y, control.cx, control.cy, "control");
  if (in.AcceptPunct(',')) in.Fail("extended styles and help ids of controls are not supported");

  if (numberedText && (control.className != "STATIC" || (control.style & kSsTypeMask) != kSsIcon))
    throw RcError(textToken.where, "a numbered control text names an icon and needs an SS_ICON static");
  return control;
}

void ParseFont(TokenCursor& in, Dialog& dialog) {
  dialog.pointSize = static_cast<int>(in.ExpectIntegerIn("font size", 1, 0x7FFF));
  in.ExpectPunct(',', "after the font size");
  dialog.faceName = in.ExpectString("font face");
  if (!in.AcceptPunct(',')) return;
  if (!dialog.extended) in.Fail("font weight, italic and character set need DIALOGEX");
  dialog.weight = static_cast<int>(in.ExpectIntegerIn("font weight", 0, 1000));
  if (!in.AcceptPunct(',')) return;
  dialog.italic = in.ExpectIntegerIn("font italic flag", 0, 1) != 0;
  if (!in.AcceptPunct(',')) return;
  dialog.charset = static_cast<int>(in.ExpectIntegerIn("font character set", 0, 255));
}

}  // namespace

Dialog ParseDialog(TokenCursor& in, int id, bool extended, std::uint16_t language) {
  Dialog dialog;
  dialog.id = id;
  dialog.extended = extended;
  dialog.language = language;
  ParseRectangle(in, dialog.x, dialog.y, dialog.cx, dialog.cy, "dialog");
  if (in.AcceptPunct(',')) in.Fail("help ids of dialogs are not supported");

  std::optional<std::uint32_t> style;
  bool hasCaption = false;
  bool hasFont = false;
  while (!in.AcceptBegin()) {
    if (in.AcceptKeyword("STYLE")) {
      style = in.ExpectStyle("dialog style", 0);
    } else if (in.AcceptKeyword("EXSTYLE")) {
      dialog.exStyle = in.ExpectStyle("extended dialog style", 0);
    } else if (in.AcceptKeyword("CAPTION")) {
      dialog.caption = in.ExpectString("dialog caption");
      hasCaption = true;
    } else if (in.AcceptKeyword("FONT")) {
      ParseFont(in, dialog);
      hasFont = true;
    } else if (in.AcceptKeyword("LANGUAGE")) {
      dialog.language = ParseLanguage(in);
    } else {
      in.Fail("unsupported dialog statement; expected STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE or BEGIN");
    }
  }
  // As the platform's compiler does: a default style, and CAPTION and FONT
  // imply their style bits.
  dialog.style =
      style.value_or(kWsPopup | kWsBorder | kWsSysMenu) | (hasCaption ? kWsCaption : 0) | (hasFont ? kDsSetFont : 0);

  while (!in.AcceptEnd()) {
    if (!in.AcceptKeyword("CONTROL"))
      in.Fail("only CONTROL lines are supported in dialogs: write it as CONTROL text,id,class,style,x,y,cx,cy");
    dialog.controls.push_back(ParseControl(in));
  }
  return dialog;
}

}  // namespace rcc
