#include "tests/scenario_tool/script/resource_names.h"

#include <utility>

#include "framework/linux/winuser.h"
#include "res/resource.h"

namespace scenario {
namespace {

struct NamedResource {
  std::string_view name;
  int id;
};

// Every #define of resource.h, listed by the build from the header itself.
constexpr NamedResource kNames[] = {
#include "resource_name_list.inc"
    {"IDOK", IDOK},
    {"IDCANCEL", IDCANCEL},
};

bool IsOfKind(std::string_view name, IdKind kind) {
  switch (kind) {
    case IdKind::Control:
      return name.starts_with("IDC_") || name == "IDOK" || name == "IDCANCEL";
    case IdKind::String:
      return name.starts_with("IDS_");
    case IdKind::Template:
      return name.starts_with("IDD_");
    case IdKind::Command:
      return name.starts_with("IDM_");
  }
  return false;
}

}  // namespace

std::optional<int> NamedId(std::string_view word, IdKind kind) {
  if (!IsOfKind(word, kind)) return std::nullopt;
  for (const NamedResource& named : kNames) {
    if (named.name == word) return named.id;
  }
  return std::nullopt;
}

}  // namespace scenario
