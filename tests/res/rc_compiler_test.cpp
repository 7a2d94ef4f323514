// The resource compiler: what it makes of the statements it supports, and
// that it refuses everything else with the file and line of the fault.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "res/rcc/lib/ico_file.h"
#include "res/rcc/lib/rc_lexer.h"
#include "res/rcc/lib/rc_parser.h"
#include "res/rcc/lib/table_writer.h"
#include "tests/support/temp_directory.h"

namespace {

rcc::ResourceScript Compile(const std::string& text, const std::string& path = "test.rc") {
  return rcc::ParseScript(rcc::TokenizeText(text, path));
}

// The message a script fails with, or "" when it compiles.
std::string CompileError(const std::string& text, const std::string& path = "test.rc") {
  try {
    Compile(text, path);
  } catch (const rcc::RcError& error) {
    return error.what();
  }
  return "";
}

using test_support::TempDirectory;

// A well-formed icon file with one 32-bit image of `size` by `size` pixels.
std::vector<std::uint8_t> SmallIcon(int size) {
  auto put = [](std::vector<std::uint8_t>& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto s = static_cast<std::uint32_t>(size);
  const std::uint32_t maskRow = (s + 31) / 32 * 4;
  const std::uint32_t imageSize = 40 + s * s * 4 + maskRow * s;
  std::vector<std::uint8_t> bytes;
  put(bytes, 0, 2), put(bytes, 1, 2), put(bytes, 1, 2);
  bytes.push_back(static_cast<std::uint8_t>(size)), bytes.push_back(static_cast<std::uint8_t>(size));
  bytes.push_back(0), bytes.push_back(0);
  put(bytes, 1, 2), put(bytes, 32, 2), put(bytes, imageSize, 4), put(bytes, 22, 4);
  put(bytes, 40, 4), put(bytes, s, 4), put(bytes, 2 * s, 4), put(bytes, 1, 2), put(bytes, 32, 2);
  put(bytes, 0, 4), put(bytes, 0, 4), put(bytes, 0, 4), put(bytes, 0, 4), put(bytes, 0, 4), put(bytes, 0, 4);
  bytes.resize(22 + imageSize, 0);
  return bytes;
}

TEST(ResourceCompiler, DialogWithControlsStylesAndFont) {
  const rcc::ResourceScript script = Compile(R"(#pragma code_page(65001)
#include <winres.h>
#define IDD_MAIN 102
#define IDC_LIST 1017
#define IDC_HIDDEN (1020 | 1)
LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL
IDD_MAIN DIALOGEX 0, 0, 417, 243
STYLE DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_SYSMENU
EXSTYLE WS_EX_APPWINDOW
CAPTION "標題"
FONT 9, "新細明體", 0, 0, 0x1
{
    CONTROL "",IDC_LIST,"listbox",LBS_NOTIFY | WS_BORDER,15,37,78,157  // unsorted
    CONTROL "Hidden",IDC_HIDDEN,"Button",BS_PUSHBUTTON | NOT WS_VISIBLE | WS_TABSTOP,-5,210,100,25
    CONTROL 129,IDC_STATIC,"Static",SS_ICON,11,17,20,20
}
)");
  ASSERT_EQ(script.dialogs.size(), 1u);
  const rcc::Dialog& dialog = script.dialogs[0];
  EXPECT_EQ(dialog.id, 102);
  EXPECT_TRUE(dialog.extended);
  EXPECT_EQ(dialog.language, 1028);
  EXPECT_EQ(dialog.style, 0x90C800C0u) << "CAPTION and FONT add WS_CAPTION and DS_SETFONT";
  EXPECT_EQ(dialog.exStyle, 0x00040000u);
  EXPECT_EQ(dialog.caption, "標題");
  EXPECT_EQ(dialog.faceName, "新細明體");
  EXPECT_EQ(dialog.pointSize, 9);
  EXPECT_EQ(dialog.charset, 1);
  ASSERT_EQ(dialog.controls.size(), 3u);
  EXPECT_EQ(dialog.controls[0].className, "LISTBOX");
  EXPECT_EQ(dialog.controls[0].style, 0x50800001u) << "WS_CHILD | WS_VISIBLE are implied";
  EXPECT_EQ(dialog.controls[1].id, 1021);
  EXPECT_EQ(dialog.controls[1].style, 0x40010000u) << "NOT clears the implied WS_VISIBLE";
  EXPECT_EQ(dialog.controls[1].x, -5);
  EXPECT_EQ(dialog.controls[2].id, -1);
  EXPECT_EQ(dialog.controls[2].iconResourceId, 129);
  EXPECT_EQ(dialog.controls[2].text, "");
}

TEST(ResourceCompiler, ClassicDialogDefaults) {
  const rcc::ResourceScript script = Compile("100 DIALOG 1, 2, 30, 40\nBEGIN\nEND\n");
  ASSERT_EQ(script.dialogs.size(), 1u);
  EXPECT_FALSE(script.dialogs[0].extended);
  EXPECT_EQ(script.dialogs[0].language, 1033) << "the compiler's default language";
  EXPECT_EQ(script.dialogs[0].style, 0x80880000u) << "WS_POPUP | WS_BORDER | WS_SYSMENU without STYLE";
  EXPECT_TRUE(script.dialogs[0].controls.empty());
}

TEST(ResourceCompiler, StringTablesWithEscapesAndLanguages) {
  const rcc::ResourceScript script = Compile(R"(#pragma code_page(65001)
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
STRINGTABLE
BEGIN
    101, "line\nfeed"
    102  "say ""hi"" \\ \"there\"\t"
END
STRINGTABLE LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT
BEGIN
    101 "設定 "
END
STRINGTABLE
BEGIN
    103 "back to German"
END
)");
  ASSERT_EQ(script.strings.size(), 4u);
  EXPECT_EQ(script.strings[0].language, 1031);
  EXPECT_EQ(script.strings[0].text, "line\nfeed");
  EXPECT_EQ(script.strings[1].text, "say \"hi\" \\ \"there\"\t");
  EXPECT_EQ(script.strings[2].language, 1041);
  EXPECT_EQ(script.strings[2].text, "設定 ");
  EXPECT_EQ(script.strings[3].language, 1031) << "a table's LANGUAGE is its own";
}

TEST(ResourceCompiler, VersionInfo) {
  const rcc::ResourceScript script = Compile(R"(VS_VERSION_INFO VERSIONINFO
 FILEVERSION 1,2,3,4
 PRODUCTVERSION 5,6
 FILEFLAGSMASK 0x3fL
 FILEOS VOS__WINDOWS32
 FILETYPE VFT_APP
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040404b0"
        BEGIN
            VALUE "ProductName", "Thing"
            VALUE "Comments", ""
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x404, 1200
    END
END
)");
  ASSERT_TRUE(script.version);
  EXPECT_EQ(script.version->fileVersion, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(script.version->productVersion, (std::array<std::uint16_t, 4>{5, 6, 0, 0}));
  EXPECT_EQ(script.version->fileFlagsMask, 0x3Fu);
  EXPECT_EQ(script.version->fileOS, 4u);
  EXPECT_EQ(script.version->fileType, 1u);
  EXPECT_EQ(script.version->blockName, "040404b0");
  ASSERT_EQ(script.version->strings.size(), 2u);
  EXPECT_EQ(script.version->strings[1].first, "Comments");
  EXPECT_EQ(script.version->translationLanguage, 0x404);
  EXPECT_EQ(script.version->translationCodePage, 1200);
}

struct MalformedScript {
  const char* script;
  const char* error;  // the whole "file:line: message" or its start
};

TEST(ResourceCompiler, RejectsMalformedScriptsWithFileAndLine) {
  const MalformedScript cases[] = {
      {"1 DIALOG 0,0,10,10\nSTYLE WS_POPUP | WS_BOGUS\nBEGIN\nEND\n",
       "test.rc:2: unknown symbol 'WS_BOGUS' in dialog style"},
      {"STRINGTABLE\nBEGIN\n  101 \"open\nEND\n", "test.rc:3: string is not closed on its line"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  LTEXT \"x\",1,0,0,5,5\nEND\n", "test.rc:3: only CONTROL lines are supported"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  CONTROL \"\",1,\"SysListView32\",0,0,0,5,5\nEND\n",
       "test.rc:3: unsupported control class \"SysListView32\""},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  CONTROL \"\",1,\"Button\",0,0,0,5,5\n", "test.rc:3: END is missing"},
      {"STRINGTABLE\nBEGIN\n  101 \"a\"\n  101 \"b\"\nEND\n",
       "test.rc:4: string 101 is defined twice in language 1033"},
      {"STRINGTABLE\nBEGIN\n  101 \"wählen\"\nEND\n", "test.rc:3: non-ASCII text needs #pragma code_page(65001)"},
      {"#pragma code_page(65001)\nSTRINGTABLE\nBEGIN\n  101 \"\xff\"\nEND\n", "test.rc:4: string is not valid UTF-8"},
      {"#pragma code_page(1252)\n", "test.rc:1: only code page 65001 (UTF-8) is supported"},
      {"#ifdef APSTUDIO_INVOKED\n#endif\n", "test.rc:1: unsupported preprocessor directive #ifdef"},
      {"#define MAKE(x) x\n", "test.rc:1: macros with parameters are not supported"},
      {"// fine\n#include \"missing.h\"\n", "test.rc:2: cannot read included file"},
      {"#include <afxres.h>\n", "test.rc:1: unknown platform header <afxres.h>"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  CONTROL 5,1,\"Button\",0,0,0,5,5\nEND\n",
       "test.rc:3: a numbered control text names an icon"},
      {"STRINGTABLE\nBEGIN\n  101 \"\\q\"\nEND\n", "test.rc:3: unsupported escape sequence \\q"},
      {"1 DIALOG 0,0,10,0x100000000\n", "test.rc:1: number does not fit in 32 bits"},
      {"1 DIALOG 0,0,10,99999\n", "test.rc:1: height must be between 0 and 32767, not 99999"},
      {"\n1 MENU\n", "test.rc:2: unsupported resource type"},
      {"IDD_UNDEFINED DIALOG 0,0,10,10\n", "test.rc:1: unknown resource statement or symbol 'IDD_UNDEFINED'"},
      {"1 ICON \"nowhere.ico\"\n", "test.rc:1: cannot read icon file"},
      {"/* open\n comment\n", "test.rc:2: comment is not closed at the end of the file"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  CONTROL \"\",1,\"Button\",0,0,0,5,5,0\nEND\n",
       "test.rc:3: extended styles and help ids of controls are not supported"},
      {"1 VERSIONINFO\nBEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"0404\"\n",
       "test.rc:5: string block name must be 8 hex digits"},
      {"1 DIALOG 0,0,10,10\nBEGIN\nEND\n1 DIALOG 0,0,10,10\nBEGIN\nEND\n",
       "test.rc:4: dialog 1 is defined twice in language 1033"},
      {"LANGUAGE LANG_GERMAN\n", "test.rc:1: expected ',' between language and sublanguage"},
      {"1 DIALOG 0,0,10,10\nBEGIN\n  CONTROL \"\",1,\"Button\",0,0,0,5,5 $\nEND\n",
       "test.rc:3: unexpected character '$'"},
  };
  for (const MalformedScript& c : cases) {
    const std::string error = CompileError(c.script);
    EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << "script:\n" << c.script;
  }
}

TEST(ResourceCompiler, IncludesDefinesAndReportsTheIncludedFile) {
  TempDirectory directory;
  directory.Write("ids.h", "#pragma once\n#define IDS_HELLO 101 // greeting\n#define IDS_ALIAS IDS_HELLO\n");
  const std::string script =
      directory.Write("app.rc", "#include \"ids.h\"\n#include \"ids.h\"\nSTRINGTABLE\nBEGIN\n IDS_ALIAS \"hi\"\nEND\n");
  const rcc::ResourceScript compiled = rcc::ParseScript(rcc::TokenizeFile(script));
  ASSERT_EQ(compiled.strings.size(), 1u);
  EXPECT_EQ(compiled.strings[0].id, 101);

  const std::string broken = directory.Write("broken.h", "#define A 1\n#if A\n");
  const std::string includer = directory.Write("includer.rc", "#include \"broken.h\"\n");
  try {
    rcc::TokenizeFile(includer);
    ADD_FAILURE() << "no error";
  } catch (const rcc::RcError& error) {
    EXPECT_EQ(std::string(error.what()), broken + ":2: unsupported preprocessor directive #if");
  }
}

TEST(ResourceCompiler, IconFilesAreReadNextToTheScript) {
  TempDirectory directory;
  const std::vector<std::uint8_t> icon = SmallIcon(16);
  directory.Write("small.ico", std::string(icon.begin(), icon.end()));
  const std::string script = directory.Write("app.rc", "128 ICON \"small.ico\"\n");
  const rcc::ResourceScript compiled = rcc::ParseScript(rcc::TokenizeFile(script));
  ASSERT_EQ(compiled.icons.size(), 1u);
  EXPECT_EQ(compiled.icons[0].id, 128);
  ASSERT_EQ(compiled.icons[0].file.images.size(), 1u);
  EXPECT_EQ(compiled.icons[0].file.images[0].width, 16);
  EXPECT_EQ(compiled.icons[0].file.images[0].bitCount, 32);
  EXPECT_EQ(compiled.icons[0].file.images[0].offset, 22u);
}

TEST(ResourceCompiler, DamagedIconFilesAreRefused) {
  const rcc::SourceLocation where{"app.rc", 7};
  auto error = [&](std::vector<std::uint8_t> bytes) -> std::string {
    try {
      rcc::ParseIcoFile(std::move(bytes), where);
    } catch (const rcc::RcError& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_EQ(error(SmallIcon(16)), "");
  EXPECT_EQ(error({}), "app.rc:7: not an icon file");

  std::vector<std::uint8_t> truncated = SmallIcon(16);
  truncated.resize(truncated.size() - 1);
  EXPECT_EQ(error(truncated), "app.rc:7: icon image 1: lies outside the file's image area");

  std::vector<std::uint8_t> shortBitmap = SmallIcon(16);
  shortBitmap[14] = 40;  // claims fewer bytes than a 16 by 16 bitmap needs
  shortBitmap[15] = 1;
  EXPECT_EQ(error(shortBitmap), "app.rc:7: icon image 1: bitmap data is truncated");

  std::vector<std::uint8_t> png = SmallIcon(16);
  png[22] = 0x89, png[23] = 'P', png[24] = 'N', png[25] = 'G';
  EXPECT_EQ(error(png), "app.rc:7: icon image 1: PNG-compressed images are not supported; store it as a bitmap");

  std::vector<std::uint8_t> otherDepth = SmallIcon(16);
  otherDepth[12] = 24;  // the directory says 24 bits, the bitmap 32
  EXPECT_EQ(error(otherDepth), "app.rc:7: icon image 1: bit count of the directory entry differs from the bitmap's");

  std::vector<std::uint8_t> otherSize = SmallIcon(16);
  otherSize[6] = 32;
  EXPECT_EQ(error(otherSize), "app.rc:7: icon image 1: bitmap size does not match the directory entry");
}

TEST(ResourceCompiler, StringLiteralsKeepTheirBytes) {
  EXPECT_EQ(rcc::CppStringLiteral("plain"), "\"plain\"");
  EXPECT_EQ(rcc::CppStringLiteral("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(rcc::CppStringLiteral("?? x"), "\"\\?\\? x\"");
  EXPECT_EQ(rcc::CppStringLiteral("x\n"), "\"x\\012\"");
  EXPECT_EQ(rcc::CppStringLiteral("設1"), "\"\\350\\250\\2551\"") << "a digit after an escape stays a digit";
}

// The compiler as the build runs it: exit status and message on standard error.
struct RunResult {
  int exitCode;
  std::string output;
};

RunResult RunCompiler(const TempDirectory& directory, const std::string& script, const std::string& output) {
  const std::string log = directory / "log.txt";
  const std::string command = std::string(TAVRIN_RCC_PATH) + " '" + script + "' '" + output + "' 2>'" + log + "'";
  const int status = std::system(command.c_str());
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
}

TEST(ResourceCompiler, CommandFailsTheBuildOnAMalformedScript) {
  TempDirectory directory;
  const std::string script = directory.Write("bad.rc", "// a dialog\n1 DIALOG 0,0,10,10\nSTYLE WS_NOPE\n");
  const std::string output = directory / "out.cpp";
  const RunResult result = RunCompiler(directory, script, output);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, script + ":3: unknown symbol 'WS_NOPE' in dialog style\n");
  EXPECT_FALSE(std::filesystem::exists(output)) << "no tables are written";
}

TEST(ResourceCompiler, CommandWritesTheTables) {
  TempDirectory directory;
  const std::string output = directory / "out.cpp";
  const RunResult result = RunCompiler(directory, TAVRIN_RES_DIR "/portsetup.rc", output);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output, "");
  std::ifstream in(output);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("constinit const std::span<const DialogTemplate> dialogs = kDialogs;"), std::string::npos);
}

}  // namespace
