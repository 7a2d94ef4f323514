// The terminal backend, for machines without a display: whether it can run
// here and the backend itself.
#pragma once

#include <memory>

#include "framework/linux/backend.h"

namespace framework::tui {

// Standard input and output are a terminal, and TERM names a terminal that
// terminfo knows and that can place the cursor.
bool TerminalBackendUsable();

// The terminal backend, installed as the backend in use until it is destroyed.
std::unique_ptr<Backend> MakeTerminalBackend();

}  // namespace framework::tui
