// OutputDebugStringA: the closest thing to a debugger's output here is
// standard error, written in one write so lines of processes do not mix.
#include <unistd.h>

#include <cstring>
#include <mutex>

#include "stand_in.h"
#include "windows.h"

namespace winapi {
namespace {

void WriteToStandardError(const char* text) {
  const std::size_t length = std::strlen(text);
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text, length);
}

std::mutex sinkMutex;
DebugSink sink = WriteToStandardError;

}  // namespace

// An empty sink restores the default.
void SetDebugSink(DebugSink newSink) {
  std::lock_guard lock(sinkMutex);
  sink = newSink ? std::move(newSink) : DebugSink(WriteToStandardError);
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
