// The form in which a program's module holds its resources: dialog templates,
// string tables, icons and the version record, as the resource compiler
// writes them. The framework reads a module through these types alone, so it
// serves any program whose resources come in this form.
#pragma once

#include <cstdint>
#include <span>

namespace res {

struct ControlTemplate {
  int id;                 // -1 for IDC_STATIC
  const char* className;  // "BUTTON", "STATIC", "LISTBOX", "COMBOBOX"
  const char* text;       // UTF-8; empty when the template has none
  int iconResourceId;     // for an SS_ICON static named by number: the icon's id, else 0
  std::uint32_t style;
  int x, y, cx, cy;  // dialog units
};

struct DialogTemplate {
  int id;
  bool extended;           // DIALOGEX
  std::uint16_t language;  // LANGID
  std::uint32_t style;
  std::uint32_t exStyle;
  int x, y, cx, cy;
  const char* caption;  // UTF-8
  int pointSize;
  const char* faceName;  // UTF-8
  int weight;
  bool italic;
  int charset;
  std::span<const ControlTemplate> controls;
};

struct StringEntry {
  std::uint16_t language;  // LANGID
  std::uint16_t id;
  const char* text;  // UTF-8, exactly as in the script
};

struct IconImage {
  int width, height;
  int bitCount;                        // colour depth: 8 (256 colours), 24, 32
  std::span<const std::uint8_t> data;  // the bitmap as stored in the .ico file
};

struct IconGroup {
  int id;
  std::uint16_t language;
  std::span<const IconImage> images;      // in the order of the .ico file
  std::span<const std::uint8_t> icoFile;  // the whole .ico file
};

struct VersionString {
  const char* key;
  const char* value;
};

struct VersionRecord {
  std::uint16_t fileVersion[4];
  std::uint16_t productVersion[4];
  std::uint32_t fileFlagsMask, fileFlags, fileOS, fileType, fileSubtype;
  const char* blockName;  // "040404b0"
  std::span<const VersionString> strings;
  std::uint16_t translationLanguage, translationCodePage;
};

// What the framework reads of a module. The first icon group is the
// program's own icon, as a desktop shows it.
struct Module {
  std::span<const DialogTemplate> dialogs;
  std::span<const StringEntry> strings;
  std::span<const IconGroup> icons;
  // The words of the message box buttons in the languages of the strings,
  // by the button's id (IDOK, IDCANCEL, IDYES, IDNO) in place of a string id.
  // A language without them shows the framework's English words.
  std::span<const StringEntry> boxButtons;
};

}  // namespace res
