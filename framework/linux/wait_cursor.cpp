#include "framework/framework.h"
#include "framework/linux/backend.h"

namespace {

int g_waitCursorDepth = 0;  // nested CWaitCursor objects alive

}  // namespace

CWaitCursor::CWaitCursor() {
  if (g_waitCursorDepth++ == 0) framework::CurrentBackend().WaitCursorChanged(true);
}

CWaitCursor::~CWaitCursor() {
  if (--g_waitCursorDepth == 0) framework::CurrentBackend().WaitCursorChanged(false);
}
