#include "tests/scenario_tool/agent/handle_census.h"

#include <windows.h>
#include <winternl.h>

#include <map>
#include <set>

#include "base/ascii.h"
#include "framework/win32/wide_text.h"

namespace scenario::agent {
namespace {

// The layout of SystemHandleInformation (class 16).
struct HandleEntry {
  ULONG ownerProcessId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr auto kObjectTypeInformation = static_cast<OBJECT_INFORMATION_CLASS>(2);

std::set<USHORT> g_baseline;

std::vector<USHORT> OwnHandles() {
  std::vector<BYTE> buffer(1 << 16);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                            &needed)) == static_cast<NTSTATUS>(0xC0000004L)) {  // length mismatch
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
  }
  std::vector<USHORT> handles;
  if (status < 0) return handles;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  for (ULONG k = 0; k < table->count; ++k) {
    if (table->entries[k].ownerProcessId == GetCurrentProcessId()) handles.push_back(table->entries[k].handle);
  }
  return handles;
}

// The type name (ObjectTypeInformation) or the name (ObjectNameInformation)
// of the object behind a handle: both start with a counted UTF-16 string.
std::string ObjectText(HANDLE handle, OBJECT_INFORMATION_CLASS what) {
  alignas(8) BYTE buffer[2048];
  ULONG length = 0;
  if (NtQueryObject(handle, what, buffer, sizeof buffer, &length) < 0) return {};
  const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer);
  return framework::win32::Narrow(std::wstring_view(text->Buffer, text->Length / sizeof(wchar_t)));
}

bool EndsWithTavrinKey(std::string_view name) {
  const std::string_view end = "\\services\\tavrin";
  return name.size() >= end.size() && base::EqualsIgnoringAsciiCase(name.substr(name.size() - end.size()), end);
}

}  // namespace

void TakeHandleBaseline() {
  const std::vector<USHORT> handles = OwnHandles();
  g_baseline.insert(handles.begin(), handles.end());
}

std::vector<std::pair<std::string, int>> HandlesLeftOpen() {
  std::map<std::string, int> counts;
  for (USHORT value : OwnHandles()) {
    if (g_baseline.contains(value)) continue;
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value));
    const std::string type = ObjectText(handle, kObjectTypeInformation);
    if (type == "Key") {
      if (EndsWithTavrinKey(ObjectText(handle, ObjectNameInformation))) ++counts["settings keys"];
    } else if (type == "File") {
      ++counts["file handles"];
    } else if (type == "Process") {
      ++counts["process handles"];
    } else if (type == "Thread") {
      ++counts["thread handles"];
    }
  }
  return {counts.begin(), counts.end()};
}

}  // namespace scenario::agent
