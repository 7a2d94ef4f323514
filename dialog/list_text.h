// Reading list lines the way the dialog's fixed buffers do.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "framework/framework.h"

// A watch-list line is read into 128 characters, a port-list line into 8.
inline constexpr std::size_t kWatchEntryBufferSize = 128;
inline constexpr std::size_t kPortNameBufferSize = 8;

// Line `index` of the list, at most bufferSize - 1 characters of it.
std::string ReadListLine(const CListBox& list, int index, std::size_t bufferSize);

// The selected line of the list, read the same way; nothing when no line is
// selected.
std::optional<std::string> SelectedLine(const CListBox& list, std::size_t bufferSize);
