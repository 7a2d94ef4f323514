#include "res/rcc/lib/rc_symbols.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "base/ascii.h"

namespace rcc {
namespace {

constexpr std::pair<std::string_view, std::int64_t> kConstants[] = {
    // Window styles.
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    // Extended window styles.
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000},
    // Dialog styles.
    {"DS_ABSALIGN", 0x01},
    {"DS_SYSMODAL", 0x02},
    {"DS_3DLOOK", 0x04},
    {"DS_FIXEDSYS", 0x08},
    {"DS_LOCALEDIT", 0x20},
    {"DS_SETFONT", 0x40},
    {"DS_MODALFRAME", 0x80},
    {"DS_NOIDLEMSG", 0x100},
    {"DS_SETFOREGROUND", 0x200},
    {"DS_CENTER", 0x800},
    {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000},
    {"DS_SHELLFONT", 0x48},
    // Button styles.
    {"BS_PUSHBUTTON", 0x0},
    {"BS_DEFPUSHBUTTON", 0x1},
    {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3},
    {"BS_RADIOBUTTON", 0x4},
    {"BS_3STATE", 0x5},
    {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7},
    {"BS_AUTORADIOBUTTON", 0x9},
    {"BS_LEFTTEXT", 0x20},
    {"BS_LEFT", 0x100},
    {"BS_RIGHT", 0x200},
    {"BS_CENTER", 0x300},
    {"BS_TOP", 0x400},
    {"BS_BOTTOM", 0x800},
    {"BS_VCENTER", 0xC00},
    {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    // Static styles.
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4},
    {"SS_GRAYRECT", 0x5},
    {"SS_WHITERECT", 0x6},
    {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8},
    {"SS_WHITEFRAME", 0x9},
    {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC},
    {"SS_ETCHEDHORZ", 0x10},
    {"SS_ETCHEDVERT", 0x11},
    {"SS_ETCHEDFRAME", 0x12},
    {"SS_NOPREFIX", 0x80},
    {"SS_NOTIFY", 0x100},
    {"SS_CENTERIMAGE", 0x200},
    {"SS_SUNKEN", 0x1000},
    // List box styles.
    {"LBS_NOTIFY", 0x0001},
    {"LBS_SORT", 0x0002},
    {"LBS_NOREDRAW", 0x0004},
    {"LBS_MULTIPLESEL", 0x0008},
    {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080},
    {"LBS_NOINTEGRALHEIGHT", 0x0100},
    {"LBS_MULTICOLUMN", 0x0200},
    {"LBS_WANTKEYBOARDINPUT", 0x0400},
    {"LBS_EXTENDEDSEL", 0x0800},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},
    // Combo box styles.
    {"CBS_SIMPLE", 0x0001},
    {"CBS_DROPDOWN", 0x0002},
    {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_AUTOHSCROLL", 0x0040},
    {"CBS_OEMCONVERT", 0x0080},
    {"CBS_SORT", 0x0100},
    {"CBS_HASSTRINGS", 0x0200},
    {"CBS_NOINTEGRALHEIGHT", 0x0400},
    {"CBS_DISABLENOSCROLL", 0x0800},
    {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
    // Dialog item ids.
    {"IDC_STATIC", -1},
    {"IDOK", 1},
    {"IDCANCEL", 2},
    {"IDABORT", 3},
    {"IDRETRY", 4},
    {"IDIGNORE", 5},
    {"IDYES", 6},
    {"IDNO", 7},
    // Font character sets.
    {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1},
    // Version records.
    {"VS_VERSION_INFO", 1},
    {"VS_FFI_FILEFLAGSMASK", 0x3F},
    {"VS_FF_DEBUG", 0x01},
    {"VS_FF_PRERELEASE", 0x02},
    {"VS_FF_PATCHED", 0x04},
    {"VS_FF_PRIVATEBUILD", 0x08},
    {"VS_FF_INFOINFERRED", 0x10},
    {"VS_FF_SPECIALBUILD", 0x20},
    {"VOS_UNKNOWN", 0},
    {"VOS__WINDOWS32", 0x4},
    {"VOS_NT", 0x40000},
    {"VOS_NT_WINDOWS32", 0x40004},
    {"VFT_UNKNOWN", 0},
    {"VFT_APP", 1},
    {"VFT_DLL", 2},
    {"VFT2_UNKNOWN", 0},
    // Primary languages.
    {"LANG_NEUTRAL", 0x00},
    {"LANG_CHINESE", 0x04},
    {"LANG_GERMAN", 0x07},
    {"LANG_ENGLISH", 0x09},
    {"LANG_SPANISH", 0x0A},
    {"LANG_FRENCH", 0x0C},
    {"LANG_ITALIAN", 0x10},
    {"LANG_JAPANESE", 0x11},
    {"LANG_KOREAN", 0x12},
    {"LANG_DUTCH", 0x13},
    {"LANG_RUSSIAN", 0x19},
    // Sublanguages.
    {"SUBLANG_NEUTRAL", 0x00},
    {"SUBLANG_DEFAULT", 0x01},
    {"SUBLANG_SYS_DEFAULT", 0x02},
    {"SUBLANG_CHINESE_TRADITIONAL", 0x01},
    {"SUBLANG_CHINESE_SIMPLIFIED", 0x02},
    {"SUBLANG_CHINESE_HONGKONG", 0x03},
    {"SUBLANG_CHINESE_SINGAPORE", 0x04},
    {"SUBLANG_CHINESE_MACAU", 0x05},
    {"SUBLANG_GERMAN", 0x01},
    {"SUBLANG_ENGLISH_US", 0x01},
    {"SUBLANG_ENGLISH_UK", 0x02},
    {"SUBLANG_FRENCH", 0x01},
    {"SUBLANG_ITALIAN", 0x01},
    {"SUBLANG_JAPANESE_JAPAN", 0x01},
    {"SUBLANG_KOREAN", 0x01},
    {"SUBLANG_DUTCH", 0x01},
    {"SUBLANG_RUSSIAN_RUSSIA", 0x01},
    {"SUBLANG_SPANISH", 0x01},
    {"SUBLANG_SPANISH_MODERN", 0x03},
};

constexpr std::array<std::string_view, 3> kPlatformHeaders = {"windows.h", "winres.h", "winresrc.h"};

}  // namespace

std::optional<std::int64_t> PlatformConstant(std::string_view name) {
  for (const auto& [constantName, value] : kConstants)
    if (constantName == name) return value;
  return std::nullopt;
}

bool IsPlatformHeader(std::string_view name) {
  // File names on the platform are case-insensitive.
  const std::string lower = base::LowerAscii(name);
  return std::find(kPlatformHeaders.begin(), kPlatformHeaders.end(), lower) != kPlatformHeaders.end();
}

}  // namespace rcc
