#include "tools/tavrind/settings_import.h"

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/port_setting.h"
#include "tools/tavrind/command_parser.h"
#include "tools/tavrind/pid_file.h"
#include "tools/tavrind/service_key.h"
#include "tools/tavrind/settings_file.h"
#include "tools/tavrind/settings_report.h"

namespace tavrind {
namespace {

constexpr char kControlDevice[] = "\\\\.\\TAVRIN";

std::string RegistryError(LONG result) { return "registry error " + std::to_string(result); }

// Every port's word, as Apply writes them, through one key: the registry
// stores them when the key closes, under the hive's lock, in one durable
// rewrite. An empty text, or why not.
std::string StoreWords(const std::map<int, DWORD>& words, const std::string& hivePath) {
  HKEY key = nullptr;
  if (const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kServiceSubKey, 0, KEY_ALL_ACCESS, &key);
      opened != ERROR_SUCCESS) {
    if (opened == ERROR_FILE_NOT_FOUND)
      return hivePath + " or its [" + kServiceKeyPath + "] is missing; \"tavrind install\" makes them";
    return "cannot open the driver's key in " + hivePath + " for writing (" + RegistryError(opened) + ")";
  }
  LONG result = ERROR_SUCCESS;
  for (int index = 0; index < model::kPortCount; ++index) {
    const auto found = words.find(index);
    const DWORD word = found == words.end() ? 0 : found->second;
    const LONG set =
        RegSetValueExA(key, model::PortName(index), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word), sizeof word);
    if (result == ERROR_SUCCESS) result = set;
  }
  const LONG closed = RegCloseKey(key);
  if (result == ERROR_SUCCESS) result = closed;
  return result == ERROR_SUCCESS ? "" : "cannot store the settings in " + hivePath + " (" + RegistryError(result) + ")";
}

// Tells a running driver to load its settings again, as the program does
// after Apply. False when a driver runs but could not be told.
bool SendApplyCommand(const std::string& prefix, std::ostream& out, std::ostream& err) {
  const std::optional<pid_t> driver = LiveDriverPid(PidFilePath(prefix));
  if (!driver) {
    out << "tavrind: no driver runs for " << prefix << "; it reads these settings when it starts\n";
    return true;
  }
  const HANDLE device = CreateFileA(kControlDevice, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool sent = device != INVALID_HANDLE_VALUE &&
                    WriteFile(device, kApplyCommandBytes, sizeof kApplyCommandBytes, &written, nullptr) &&
                    written == sizeof kApplyCommandBytes;
  const DWORD error = GetLastError();
  if (device != INVALID_HANDLE_VALUE) CloseHandle(device);
  if (!sent) {
    err << "tavrind: the driver (pid " << *driver << ") was not told to load the settings: its control device "
        << prefix << "/dosdevices/tavrin refused the apply command (error " << error
        << "); \"devcon.exe restart 'ROOT\\TAVRIN'\" makes it load them\n";
    return false;
  }
  out << "tavrind: sent the apply command to the driver (pid " << *driver << ")\n";
  return true;
}

}  // namespace

int ImportSettings(const std::string& prefix, const std::string& file, std::ostream& out, std::ostream& err) {
  std::ifstream in(file, std::ios::binary);
  const int openError = errno;
  std::error_code ignored;
  const bool folder = std::filesystem::is_directory(file, ignored);
  std::ostringstream bytes;
  if (in.is_open() && !folder) bytes << in.rdbuf();
  if (!in.is_open() || folder || in.bad()) {
    err << "tavrind: cannot read " << file << ": "
        << (!in.is_open() ? std::strerror(openError)
            : folder      ? "it is a folder"
                          : "the read failed")
        << "; nothing changed\n";
    return 1;
  }
  std::string failure;
  const std::optional<SettingsFile> settings = ReadSettingsFile(bytes.str(), file, failure);
  if (!settings) {
    err << "tavrind: " << failure << "; nothing changed\n";
    return 1;
  }
  for (const std::string& note : settings->skipped) out << "tavrind: " << note << "\n";

  const std::string hivePath = prefix + "/hklm.reg";
  if (failure = StoreWords(settings->words, hivePath); !failure.empty()) {
    err << "tavrind: " << failure << "\n";
    return 1;
  }
  out << "tavrind: " << hivePath << " now holds the settings of " << file << ":\n";
  const int shown = PrintSettings(prefix, out, err);
  return SendApplyCommand(prefix, out, err) && shown == 0 ? 0 : 1;
}

}  // namespace tavrind
