// The static message maps: each class's table of (message, notification code,
// control id) to handler, chained to its base class's table.
#include "framework/framework.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP messageMap = {nullptr, &noEntries[0]};
  return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam) {
  if (entry.nMessage != message) return false;
  return message != WM_COMMAND || (entry.nCode == HIWORD(wParam) && entry.nID == LOWORD(wParam));
}

}  // namespace

bool AfxDispatchThroughMap(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  for (const AFX_MSGMAP* map = target->GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nMessage != 0; ++entry) {
      if (!Matches(*entry, message, wParam)) continue;
      const LRESULT handled = entry->pfn(target, wParam, lParam);
      if (result != nullptr) *result = handled;
      return true;
    }
  }
  return false;
}
