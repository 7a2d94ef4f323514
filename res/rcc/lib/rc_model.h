// The resources of one script as the compiler understands them, before they
// are written out as C++ tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "res/rcc/lib/ico_file.h"

namespace rcc {

struct Control {
  int id = 0;
  std::string className;   // canonical upper-case name: BUTTON, STATIC, LISTBOX, COMBOBOX
  std::string text;        // UTF-8
  int iconResourceId = 0;  // the text was a resource number (an SS_ICON static)
  std::uint32_t style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct Dialog {
  int id = 0;
  bool extended = false;
  std::uint16_t language = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  int pointSize = 0;
  std::string faceName;
  int weight = 0;
  bool italic = false;
  int charset = 1;  // DEFAULT_CHARSET
  std::vector<Control> controls;
};

struct StringResource {
  std::uint16_t language = 0;
  std::uint16_t id = 0;
  std::string text;
};

struct IconResource {
  int id = 0;
  std::uint16_t language = 0;
  IcoFile file;
};

struct VersionInfo {
  std::array<std::uint16_t, 4> fileVersion{};
  std::array<std::uint16_t, 4> productVersion{};
  std::uint32_t fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
  std::string blockName;
  std::vector<std::pair<std::string, std::string>> strings;
  std::uint16_t translationLanguage = 0, translationCodePage = 0;
};

struct ResourceScript {
  std::vector<Dialog> dialogs;
  std::vector<StringResource> strings;
  std::vector<IconResource> icons;
  std::optional<VersionInfo> version;
};

}  // namespace rcc
