// OutputDebugStringA. On its own platform the text goes to an attached
// debugger and nobody else sees it; here it goes to the system log at debug
// priority under the program's name (the journal keeps it there), and when
// the machine has no system log it is dropped, never shown to the person.
#include <syslog.h>

#include <mutex>
#include <string_view>

#include "winapi/stand_in.h"
#include "winapi/windows.h"

namespace winapi {
namespace {

// syslog(3) names the program itself and, without LOG_CONS, drops the line
// when nothing listens at the log socket. A line's own newline is the log's
// record boundary, so it is not sent along.
void WriteToSystemLog(const char* text) {
  std::string_view line(text);
  if (line.ends_with('\n')) line.remove_suffix(1);
  if (line.empty()) return;
  syslog(LOG_USER | LOG_DEBUG, "%.*s", static_cast<int>(line.size()), line.data());
}

std::mutex sinkMutex;
DebugSink sink = WriteToSystemLog;

}  // namespace

// An empty sink restores the default.
void SetDebugSink(DebugSink newSink) {
  std::lock_guard lock(sinkMutex);
  sink = newSink ? std::move(newSink) : DebugSink(WriteToSystemLog);
}

}  // namespace winapi

void OutputDebugStringA(LPCSTR lpOutputString) {
  if (lpOutputString == nullptr) return;
  winapi::DebugSink current;
  {
    std::lock_guard lock(winapi::sinkMutex);
    current = winapi::sink;
  }
  current(lpOutputString);
}
