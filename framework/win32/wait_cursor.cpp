// The wait cursor, shown from the first CWaitCursor until the last has ended.
#include "framework/framework.h"

namespace {

int g_depth = 0;              // nested CWaitCursor objects alive
HCURSOR g_restore = nullptr;  // the cursor before the first

}  // namespace

CWaitCursor::CWaitCursor() {
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (g_depth++ == 0) g_restore = previous;
}

CWaitCursor::~CWaitCursor() {
  if (--g_depth == 0) SetCursor(g_restore);
}
