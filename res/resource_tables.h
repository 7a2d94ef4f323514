// The program's resources as tables, generated at build time from the resource
// script portsetup.rc: dialog templates, string tables, icons and the version
// record. One source of truth: the tables are never written by hand.
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
  int x, y, cx, cy;       // dialog units
};

struct DialogTemplate {
  int id;
  bool extended;          // DIALOGEX
  std::uint16_t language; // LANGID
  std::uint32_t style;
  std::uint32_t exStyle;
  int x, y, cx, cy;
  const char* caption;    // UTF-8
  int pointSize;
  const char* faceName;   // UTF-8
  int weight;
  bool italic;
  int charset;
  std::span<const ControlTemplate> controls;
};

struct StringEntry {
  std::uint16_t language;  // LANGID
  std::uint16_t id;
  const char* text;        // UTF-8, exactly as in the script
};

struct IconImage {
  int width, height;
  int bitCount;            // colour depth: 8 (256 colours), 24, 32
  std::span<const std::uint8_t> data;  // the bitmap as stored in the .ico file
};

struct IconGroup {
  int id;
  std::uint16_t language;
  std::span<const IconImage> images;  // in the order of the .ico file
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

const DialogTemplate* FindDialog(int id);
std::span<const StringEntry> Strings();
const IconGroup* FindIcon(int id);
const VersionRecord& Version();

}  // namespace res
