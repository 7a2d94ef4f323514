// The names a scenario may write for the program's ids: those of resource.h,
// and IDOK and IDCANCEL, each accepted where its kind of id stands.
#pragma once

#include <optional>
#include <string_view>

namespace scenario {

enum class IdKind {
  Control,   // IDC_..., IDOK, IDCANCEL
  String,    // IDS_...
  Template,  // IDD_...
  Command,   // IDM_... (system-menu commands)
};

// The number a name stands for, or nothing when the word is no name of that kind.
std::optional<int> NamedId(std::string_view word, IdKind kind);

}  // namespace scenario
