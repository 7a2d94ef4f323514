#include "res/rcc/lib/table_writer.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace rcc {
namespace {

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08Xu", value);
  return text;
}

std::string Bool(bool value) { return value ? "true" : "false"; }

// Defines `name` as a constexpr array of `type` and returns how to refer to it
// as a span; an empty list needs no array.
std::string WriteArray(std::ostream& out, const std::string& type, const std::string& name,
                       const std::vector<std::string>& elements) {
  if (elements.empty()) return "{}";
  out << "constexpr " << type << " " << name << "[] = {\n";
  for (const std::string& element : elements) out << "    " << element << ",\n";
  out << "};\n\n";
  return name;
}

std::string ControlInitializer(const Control& control) {
  std::ostringstream out;
  out << "{.id = " << control.id << ", .className = " << CppStringLiteral(control.className)
      << ", .text = " << CppStringLiteral(control.text) << ", .iconResourceId = " << control.iconResourceId
      << ", .style = " << Hex(control.style) << ", .x = " << control.x << ", .y = " << control.y
      << ", .cx = " << control.cx << ", .cy = " << control.cy << "}";
  return out.str();
}

std::string WriteDialogs(std::ostream& out, const std::vector<Dialog>& dialogs) {
  std::vector<std::string> initializers;
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    const Dialog& dialog = dialogs[i];
    std::vector<std::string> controls;
    for (const Control& control : dialog.controls) controls.push_back(ControlInitializer(control));
    const std::string controlTable =
        WriteArray(out, "ControlTemplate", "kDialog" + std::to_string(i) + "Controls", controls);
    std::ostringstream initializer;
    initializer << "{.id = " << dialog.id << ", .extended = " << Bool(dialog.extended)
                << ", .language = " << dialog.language << ", .style = " << Hex(dialog.style)
                << ", .exStyle = " << Hex(dialog.exStyle) << ", .x = " << dialog.x << ", .y = " << dialog.y
                << ", .cx = " << dialog.cx << ", .cy = " << dialog.cy
                << ", .caption = " << CppStringLiteral(dialog.caption) << ", .pointSize = " << dialog.pointSize
                << ", .faceName = " << CppStringLiteral(dialog.faceName) << ", .weight = " << dialog.weight
                << ", .italic = " << Bool(dialog.italic) << ", .charset = " << dialog.charset
                << ", .controls = " << controlTable << "}";
    initializers.push_back(initializer.str());
  }
  return WriteArray(out, "DialogTemplate", "kDialogs", initializers);
}

std::string WriteStrings(std::ostream& out, const std::vector<StringResource>& strings) {
  std::vector<std::string> initializers;
  for (const StringResource& string : strings)
    initializers.push_back("{.language = " + std::to_string(string.language) + ", .id = " + std::to_string(string.id) +
                           ", .text = " + CppStringLiteral(string.text) + "}");
  return WriteArray(out, "StringEntry", "kStrings", initializers);
}

void WriteBytes(std::ostream& out, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  out << "constexpr std::uint8_t " << name << "[] = {";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X,", bytes[i]);
    out << (i % 16 == 0 ? "\n    " : " ") << hex;
  }
  out << "\n};\n\n";
}

std::string WriteIcons(std::ostream& out, const std::vector<IconResource>& icons) {
  std::vector<std::string> groups;
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const IconResource& icon = icons[i];
    const std::string fileName = "kIcon" + std::to_string(i) + "File";
    WriteBytes(out, fileName, icon.file.bytes);
    std::vector<std::string> images;
    for (const IcoImage& image : icon.file.images)
      images.push_back("{.width = " + std::to_string(image.width) + ", .height = " + std::to_string(image.height) +
                       ", .bitCount = " + std::to_string(image.bitCount) + ", .data = std::span<const std::uint8_t>(" +
                       fileName + " + " + std::to_string(image.offset) + ", " + std::to_string(image.size) + ")}");
    const std::string imageTable = WriteArray(out, "IconImage", "kIcon" + std::to_string(i) + "Images", images);
    groups.push_back("{.id = " + std::to_string(icon.id) + ", .language = " + std::to_string(icon.language) +
                     ", .images = " + imageTable + ", .icoFile = " + fileName + "}");
  }
  return WriteArray(out, "IconGroup", "kIcons", groups);
}

std::string VersionParts(const std::array<std::uint16_t, 4>& parts) {
  std::ostringstream out;
  out << "{" << parts[0] << ", " << parts[1] << ", " << parts[2] << ", " << parts[3] << "}";
  return out.str();
}

// The version record; a script without VERSIONINFO gives an empty one.
std::string WriteVersion(std::ostream& out, const VersionInfo& version) {
  std::vector<std::string> strings;
  for (const auto& [key, value] : version.strings)
    strings.push_back("{.key = " + CppStringLiteral(key) + ", .value = " + CppStringLiteral(value) + "}");
  const std::string stringTable = WriteArray(out, "VersionString", "kVersionStrings", strings);
  std::ostringstream record;
  record << "{.fileVersion = " << VersionParts(version.fileVersion)
         << ", .productVersion = " << VersionParts(version.productVersion)
         << ", .fileFlagsMask = " << Hex(version.fileFlagsMask) << ", .fileFlags = " << Hex(version.fileFlags)
         << ", .fileOS = " << Hex(version.fileOS) << ", .fileType = " << Hex(version.fileType)
         << ", .fileSubtype = " << Hex(version.fileSubtype) << ", .blockName = " << CppStringLiteral(version.blockName)
         << ", .strings = " << stringTable << ", .translationLanguage = " << version.translationLanguage
         << ", .translationCodePage = " << version.translationCodePage << "}";
  return record.str();
}

}  // namespace

std::string CppStringLiteral(const std::string& text) {
  std::string literal = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\' || c == '?') {
      literal += '\\';
      literal += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", byte);
      literal += octal;
    } else {
      literal += c;
    }
  }
  return literal + "\"";
}

std::string WriteTables(const ResourceScript& script, const std::string& scriptName) {
  std::ostringstream body;
  const std::string dialogs = WriteDialogs(body, script.dialogs);
  const std::string strings = WriteStrings(body, script.strings);
  const std::string icons = WriteIcons(body, script.icons);
  const std::string version = WriteVersion(body, script.version.value_or(VersionInfo{}));

  std::ostringstream out;
  out << "// Generated by tavrin_rcc from " << scriptName << "; edit the script, not this file.\n"
      << "#include \"res/resource_data.h\"\n\n"
      << "namespace res::data {\nnamespace {\n\n"
      << body.str() << "}  // namespace\n\n"
      << "constinit const std::span<const DialogTemplate> dialogs = " << dialogs << ";\n"
      << "constinit const std::span<const StringEntry> strings = " << strings << ";\n"
      << "constinit const std::span<const IconGroup> icons = " << icons << ";\n"
      << "constinit const VersionRecord version = " << version << ";\n\n"
      << "}  // namespace res::data\n";
  return out.str();
}

}  // namespace rcc
