// Settings as the platform's registry editor exports them (UTF-16LE with a
// byte-order mark and CRLF line ends, a default value and strings beside the
// words, a subkey), put in place as the hive: the program lists the watched
// port, and after an Apply the file is still such an export, holding every
// other value as it was.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bench/headless_program.h"
#include "bench/port_world.h"
#include "framework/linux/input.h"
#include "framework/linux/window.h"
#include "res/resource.h"
#include "tests/support/file_text.h"
#include "tests/support/utf16_file.h"

namespace {

using test_support::FileText;
using test_support::Utf16LeFile;

const std::u16string kServiceKeyHeader = u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin]\r\n";
const std::u16string kValuesBeforeTheWords =
    u"@=\"\"\r\n"
    u"\"Type\"=dword:00000001\r\n"
    u"\"ImagePath\"=hex(2):53,00,79,00,73,00,00,00\r\n"
    u"\"DisplayName\"=\"TAVRIN caf\u00e9\"\r\n"
    u"\"COM1\"=dword:00000027\r\n";
const std::u16string kSubkey =
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tavrin\\Enum]\r\n"
    u"\"Count\"=dword:00000001\r\n"
    u"\r\n";
const std::u16string kVersion = u"Windows Registry Editor Version 5.00\r\n\r\n";

TEST(ExportedSettings, LoadIntoTheWatchListAndStayAnExportAfterApply) {
  bench::PortWorld world(2, 0);
  {
    std::ofstream(world.HivePath(), std::ios::binary | std::ios::trunc)
        << Utf16LeFile(kVersion + kServiceKeyHeader + kValuesBeforeTheWords + kSubkey);
  }
  std::vector<std::string> watched;
  bench::HeadlessProgram program;
  program.Run([&](HWND dialog) {
    if (dialog == nullptr || !watched.empty()) return false;
    watched = dialog->Child(IDC_WATCH_LIST)->List().items;
    framework::PostClick(dialog, IDC_APPLY_BUTTON);
    return true;
  });
  EXPECT_EQ(watched, std::vector<std::string>{"COM1-HID_Touch_Digitizer-9600-PnP "});
  EXPECT_TRUE(program.Boxes().empty()) << program.Boxes().front().text;
  EXPECT_EQ(world.DrainControlDevice(), "\x0A\x01\x42");

  // Every other port name now holds the word 0, each on a line of its own.
  std::u16string zeros;
  for (int number = 2; number <= 225; ++number) {
    const std::string line = "\"COM" + std::to_string(number) + "\"=dword:00000000\r\n";
    zeros.append(line.begin(), line.end());
  }
  EXPECT_EQ(FileText(world.HivePath()),
            Utf16LeFile(kVersion + kServiceKeyHeader + kValuesBeforeTheWords + zeros + kSubkey));
}

}  // namespace
